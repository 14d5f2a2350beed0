// A stamping run on a thread of its own, so that the window that started it
// goes on painting and answering while it lasts. The window reads how far the
// run has come whenever it likes, may ask it to stop after the item it is at,
// and hears of its end by a message posted to it. The run touches no window
// itself (the layer binds objects to windows per thread): it only posts.
#pragma once

#include "framework/CString.h"
#include "stamping/StampEngine.h"

#include <atomic>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

class CBackgroundRun : private CStampObserver
{
public:
    // The run: an engine made with the observer and the stop request given
    // to it does its work.
    using Work = std::function<void(CStampObserver& observer, const CStopRequest& stop)>;

    // Starts work at once. Every item it meets is passed on to results, on
    // the run's thread (read them once the run has ended); hNotify gets
    // nEndedMessage when it has.
    CBackgroundRun(Work work, std::shared_ptr<CStampObserver> results, HWND hNotify, UINT nEndedMessage);
    // Asks the run to stop and waits for it.
    ~CBackgroundRun();
    CBackgroundRun(const CBackgroundRun&) = delete;
    CBackgroundRun& operator=(const CBackgroundRun&) = delete;

    void Stop() { m_stop.Request(); }
    bool IsStopping() const { return m_stop.IsRequested(); }
    // The items met so far, changed or not.
    ULONGLONG ItemsDone() const { return m_nItems; }
    // The folder the walk is in; empty before the first.
    CString Folder() const;

    // Waits for the run's end (its message says it is over; the work has
    // been let go by then) and gives back whatever the run threw: the
    // failure that ended it, for one.
    std::exception_ptr Finish();

private:
    void Walking(LPCTSTR pszFolder) override;
    void Changed(LPCTSTR pszPath, const CItemTimes& before, const CItemTimes& after) override;
    void SkippedReadOnly(LPCTSTR pszPath) override;
    void ChangedSince(LPCTSTR pszPath) override;
    void Failed(const CStampFailure& failure) override;

    const std::shared_ptr<CStampObserver> m_results;
    CStopRequest m_stop;
    std::atomic<ULONGLONG> m_nItems{0};
    mutable std::mutex m_folderLock;
    CString m_strFolder;
    std::exception_ptr m_thrown;
    // Last, so that everything the run uses is there before it starts.
    std::thread m_thread;
};
