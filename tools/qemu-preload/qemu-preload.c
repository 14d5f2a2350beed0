/*
 * Preloaded (LD_PRELOAD) into the Wine that runs the 32-bit Dorvane.exe here.
 * This machine's kernel refuses 32-bit code, so 32-bit Wine runs under
 * qemu-i386 7.2, which differs from the kernel it emulates in two places
 * 32-bit Wine relies on. This library gives both their kernel meaning back.
 *
 * LD_PRELOAD reaches Wine's 64-bit processes too, where ld.so would complain
 * about a library of the other class; the preload path names $LIB, so each
 * process loads one of its own. The x86_64 build is empty: those processes
 * run natively, on a kernel that needs no mending.
 */
#if defined(__i386__)
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <signal.h>
#include <stdint.h>
#include <sys/mman.h>
#include <sys/syscall.h>
#include <ucontext.h>
#include <unistd.h>

#define PAGE_FAULT 14

typedef void (*Handler)(int, siginfo_t *, void *);
typedef int (*Sigaction)(int, const struct sigaction *, struct sigaction *);

static Sigaction next_sigaction;
static Handler segv_handler;

__attribute__((constructor)) static void find_next_sigaction(void)
{
    next_sigaction = (Sigaction)dlsym(RTLD_NEXT, "sigaction");
}

/* The system call itself, as libc makes it: asking libc would come back here. */
static void *map(void *address, size_t length, int protection, int flags, int fd, off64_t offset)
{
    if (offset & 4095) {
        errno = EINVAL;
        return MAP_FAILED;
    }
    return (void *)syscall(SYS_mmap2, address, length, protection, flags, fd, (unsigned long)(offset >> 12));
}

/*
 * Wine reserves the 32-bit address space with MAP_FIXED_NOREPLACE: map
 * exactly there or fail with EEXIST. qemu 7.2 takes the flag as a mere hint
 * and maps elsewhere; Wine then unmaps and tries ever smaller pieces, some
 * 131,000 calls and more than a minute for every 32-bit process it starts.
 */
void *mmap64(void *address, size_t length, int protection, int flags, int fd, off64_t offset)
{
    void *mapped = map(address, length, protection, flags, fd, offset);
    if ((flags & MAP_FIXED_NOREPLACE) && mapped != MAP_FAILED && mapped != address) {
        munmap(mapped, length);
        errno = EEXIST;
        return MAP_FAILED;
    }
    return mapped;
}

/* The 32-bit call's offset is unsigned, as in libc. */
void *mmap(void *address, size_t length, int protection, int flags, int fd, off_t offset)
{
    return mmap64(address, length, protection, flags, fd, (off64_t)(uintptr_t)offset);
}

/*
 * Wine's i386 fault handler tells an access violation by the trap number in
 * the signal frame (14, a page fault). qemu 7.2 leaves -1 there, so a fault
 * the program expects and handles (Wine's own guard pages among them) is
 * reported as an illegal instruction instead. A fault on memory gets its
 * number before the handler sees the frame.
 */
static void mend_trap_number(int signal, siginfo_t *info, void *context)
{
    greg_t *trap = &((ucontext_t *)context)->uc_mcontext.gregs[REG_TRAPNO];
    if (*trap == -1 && (info->si_code == SEGV_MAPERR || info->si_code == SEGV_ACCERR))
        *trap = PAGE_FAULT;
    segv_handler(signal, info, context);
}

/* SIGSEGV handlers are installed wrapped; whoever asks sees their own. */
int sigaction(int signal, const struct sigaction *action, struct sigaction *old)
{
    Handler previous = segv_handler;
    struct sigaction wrapped;
    if (signal == SIGSEGV && action && (action->sa_flags & SA_SIGINFO)) {
        wrapped = *action;
        wrapped.sa_sigaction = mend_trap_number;
        segv_handler = action->sa_sigaction;
        action = &wrapped;
    }
    int result = next_sigaction(signal, action, old);
    if (result == 0 && old && (old->sa_flags & SA_SIGINFO) && old->sa_sigaction == mend_trap_number)
        old->sa_sigaction = previous;
    return result;
}
#endif
