// What GCC's C++ runtime calls when an exception escapes every handler of the
// program, which only a fault does. The runtime's own handler first prints
// the exception's type, and for that one line it links a name demangler and
// a printf engine: about 77 KB of each executable. This one ends the process
// as that one then does, with std::abort. The window program has no console
// to print to, and the symbols kept beside the build name a fault better.
#include <cstdlib>

namespace __gnu_cxx
{
void __verbose_terminate_handler()
{
    std::abort();
}
}
