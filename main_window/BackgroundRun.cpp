#include "main_window/BackgroundRun.h"

#include <utility>

CBackgroundRun::CBackgroundRun(Work work, std::shared_ptr<CStampObserver> results, HWND hNotify,
                               UINT nEndedMessage)
    : m_results(std::move(results)), m_thread([this, work, hNotify, nEndedMessage]() mutable {
          try
          {
              work(*this, m_stop);
          }
          catch (...)
          {
              m_thrown = std::current_exception();
          }
          // What the work alone holds (a Go!'s journal) is let go before
          // the window hears of the end.
          work = nullptr;
          ::PostMessage(hNotify, nEndedMessage, 0, 0);
      })
{
}

CBackgroundRun::~CBackgroundRun()
{
    Stop();
    if (m_thread.joinable())
        m_thread.join();
}

CString CBackgroundRun::Folder() const
{
    const std::lock_guard<std::mutex> lock(m_folderLock);
    return m_strFolder;
}

std::exception_ptr CBackgroundRun::Finish()
{
    if (m_thread.joinable())
        m_thread.join();
    return std::exchange(m_thrown, nullptr);
}

void CBackgroundRun::Walking(LPCTSTR pszFolder)
{
    const std::lock_guard<std::mutex> lock(m_folderLock);
    m_strFolder = pszFolder;
}

void CBackgroundRun::Changed(LPCTSTR pszPath, const CItemTimes& before, const CItemTimes& after)
{
    ++m_nItems;
    m_results->Changed(pszPath, before, after);
}

void CBackgroundRun::SkippedReadOnly(LPCTSTR pszPath)
{
    ++m_nItems;
    m_results->SkippedReadOnly(pszPath);
}

void CBackgroundRun::ChangedSince(LPCTSTR pszPath)
{
    ++m_nItems;
    m_results->ChangedSince(pszPath);
}

void CBackgroundRun::Failed(const CStampFailure& failure)
{
    ++m_nItems;
    m_results->Failed(failure);
}
