#include "stamping/Journal.h"

#include "stamping/LongPath.h"

#include <algorithm>
#include <string>

namespace
{
const TCHAR kFirstWord[] = _T("#Dorvane journal");
const TCHAR kColumns[] =
    _T("path\tcreated\taccessed\tmodified\tnew created\tnew accessed\tnew modified");
const TCHAR kUnchanged[] = _T("-");
constexpr int kFields = 1 + 2 * kTimeKinds;
constexpr DWORD kChunk = 64 * 1024;

bool IsHighSurrogate(TCHAR ch) { return ch >= 0xD800 && ch <= 0xDBFF; }
bool IsLowSurrogate(TCHAR ch) { return ch >= 0xDC00 && ch <= 0xDFFF; }

// A lone surrogate is one that is not half of a pair.
bool IsLoneSurrogate(const CString& text, int i)
{
    const TCHAR ch = text[i];
    if (IsHighSurrogate(ch))
        return i + 1 == text.GetLength() || !IsLowSurrogate(text[i + 1]);
    return IsLowSurrogate(ch) && (i == 0 || !IsHighSurrogate(text[i - 1]));
}

bool NeedsEscaping(TCHAR ch)
{
    return ch == _T('\t') || ch == _T('\n') || ch == _T('\r') || ch == _T('%') || (ch >= 0xD800 && ch <= 0xDFFF);
}

CString Escaped(const CString& text)
{
    LPCTSTR const begin = text.GetString();
    if (std::none_of(begin, begin + text.GetLength(), NeedsEscaping))
        return text;
    std::basic_string<TCHAR> escaped;
    for (int i = 0; i < text.GetLength(); ++i)
    {
        const TCHAR ch = text[i];
        CString code;
        if (ch == _T('\t') || ch == _T('\n') || ch == _T('\r') || ch == _T('%'))
            code.Format(_T("%%%02X"), static_cast<unsigned>(ch));
        else if (IsLoneSurrogate(text, i))
            code.Format(_T("%%u%04X"), static_cast<unsigned>(ch));
        if (code.IsEmpty())
            escaped += ch;
        else
            escaped += code.GetString();
    }
    return escaped;
}

// The hex digits at text[start], exactly nDigits of them.
bool ReadHex(const CString& text, int start, int nDigits, unsigned& value)
{
    value = 0;
    if (start + nDigits > text.GetLength())
        return false;
    for (int i = start; i < start + nDigits; ++i)
    {
        const TCHAR ch = text[i];
        const int digit = _istdigit(ch) ? ch - _T('0') : (ch >= _T('A') && ch <= _T('F')) ? ch - _T('A') + 10 : -1;
        if (digit < 0)
            return false;
        value = value * 16 + static_cast<unsigned>(digit);
    }
    return true;
}

bool Unescaped(const CString& text, CString& result)
{
    std::basic_string<TCHAR> unescaped;
    for (int i = 0; i < text.GetLength(); ++i)
    {
        if (text[i] != _T('%'))
        {
            unescaped += text[i];
            continue;
        }
        const bool bUnit = i + 1 < text.GetLength() && text[i + 1] == _T('u');
        const int start = bUnit ? i + 2 : i + 1;
        const int nDigits = bUnit ? 4 : 2;
        unsigned value = 0;
        if (!ReadHex(text, start, nDigits, value))
            return false;
        unescaped += static_cast<TCHAR>(value);
        i = start + nDigits - 1;
    }
    result = unescaped;
    return true;
}

// False for bytes that are not UTF-8.
bool FromUtf8(const std::string& bytes, CString& text)
{
    const int length = static_cast<int>(bytes.size());
    const int size = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), length, nullptr, 0);
    if (size == 0 && length > 0)
        return false;
    LPTSTR buffer = text.GetBuffer(size);
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), length, buffer, size);
    text.ReleaseBuffer(size);
    return true;
}

// The number in exactly nDigits decimal digits at text.
void PutDigits(TCHAR* text, unsigned long long value, int nDigits)
{
    for (int i = nDigits - 1; i >= 0; --i, value /= 10)
        text[i] = static_cast<TCHAR>(_T('0') + value % 10);
}

// "2024-01-31T12:00:00.0000000Z" after a tab: the date and time of day come
// from the platform, the seven digits of the second's fraction are the ticks
// it drops. Put together digit by digit into the line: formatted text and
// its copies cost more than the write itself.
void AppendUtc(std::basic_string<TCHAR>& line, Ticks ticks)
{
    const Ticks fraction = ticks % kTicksPerSecond;
    const FILETIME whole = FileTimeOf(ticks - fraction);
    SYSTEMTIME st = {};
    FileTimeToSystemTime(&whole, &st);
    TCHAR text[] = _T("\t0000-00-00T00:00:00.0000000Z");
    PutDigits(text + 1, st.wYear, 4);
    PutDigits(text + 6, st.wMonth, 2);
    PutDigits(text + 9, st.wDay, 2);
    PutDigits(text + 12, st.wHour, 2);
    PutDigits(text + 15, st.wMinute, 2);
    PutDigits(text + 18, st.wSecond, 2);
    PutDigits(text + 21, static_cast<unsigned long long>(fraction), 7);
    line += text;
}

bool ReadUtc(const CString& text, Ticks& ticks)
{
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, consumed = 0;
    long long fraction = 0;
    const bool bRead =
        _stscanf(text, _T("%4d-%2d-%2dT%2d:%2d:%2d.%7lldZ%n"), &year, &month, &day, &hour, &minute, &second,
                 &fraction, &consumed) == 7;
    if (!bRead || consumed != text.GetLength() || text.GetLength() != 28)
        return false;
    const SYSTEMTIME st = {static_cast<WORD>(year), static_cast<WORD>(month), 0, static_cast<WORD>(day),
                           static_cast<WORD>(hour), static_cast<WORD>(minute), static_cast<WORD>(second), 0};
    Ticks whole = 0;
    if (!UniversalTicks(st, whole))
        return false;
    ticks = whole + fraction;
    return true;
}

// The line's fields between tabs.
std::vector<CString> Fields(const CString& line)
{
    std::vector<CString> fields;
    int start = 0;
    for (int tab = line.Find(_T('\t')); tab >= 0; tab = line.Find(_T('\t'), start))
    {
        fields.push_back(line.Mid(start, tab - start));
        start = tab + 1;
    }
    fields.push_back(line.Mid(start));
    return fields;
}

bool ReadEntry(const CString& line, CJournalEntry& entry)
{
    const std::vector<CString> fields = Fields(line);
    if (fields.size() != kFields || !Unescaped(fields[0], entry.path) || entry.path.IsEmpty())
        return false;
    for (int kind = 0; kind < kTimeKinds; ++kind)
    {
        const CString& after = fields[1 + kTimeKinds + kind];
        entry.changed[kind] = after != kUnchanged;
        if (!ReadUtc(fields[1 + kind], entry.before.ticks[kind]) ||
            (entry.changed[kind] && !ReadUtc(after, entry.after.ticks[kind])))
            return false;
    }
    return true;
}
}

CJournalWriter::CJournalWriter(const CString& strPath, const std::vector<CString>& targets)
    : m_strPath(strPath),
      m_file(CreateFile(strPath, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr))
{
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    std::basic_string<TCHAR> lines = kFirstWord;
    AppendUtc(lines, TicksOf(now));
    for (const CString& target : targets)
        lines.append(_T("\t")).append(Escaped(target).GetString());
    lines = lines + _T("\r\n") + kColumns + _T("\r\n");
    if (!m_file.IsOpen() || !WriteText(lines))
        m_dwError = GetLastError();
}

bool CJournalWriter::Add(const CJournalEntry& entry)
{
    m_line = Escaped(entry.path).GetString();
    for (const Ticks before : entry.before.ticks)
        AppendUtc(m_line, before);
    for (int kind = 0; kind < kTimeKinds; ++kind)
    {
        if (entry.changed[kind])
            AppendUtc(m_line, entry.after.ticks[kind]);
        else
            m_line.append(_T("\t")).append(kUnchanged);
    }
    m_line += _T("\r\n");
    if (!WriteText(m_line))
        return false;
    ++m_nItems;
    return true;
}

bool CJournalWriter::WriteText(const std::basic_string<TCHAR>& text)
{
    const int length = static_cast<int>(text.size());
    m_bytes.resize(static_cast<size_t>(length) * 3);    // the most UTF-8 takes for a UTF-16 unit
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), length, &m_bytes[0], length * 3, nullptr, nullptr);
    if (size == 0)
        return false;
    DWORD written = 0;
    return WriteFile(m_file.Get(), m_bytes.data(), static_cast<DWORD>(size), &written, nullptr) != FALSE;
}

CJournalReader::CJournalReader(const CString& strPath)
    : m_strPath(strPath),
      m_file(CreateFile(strPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                        FILE_FLAG_SEQUENTIAL_SCAN, nullptr))
{
    if (!m_file.IsOpen())
        m_dwError = GetLastError();
    else if (!ReadHeader() && m_dwError == ERROR_SUCCESS)
        m_dwError = ERROR_BAD_FORMAT;
}

bool CJournalReader::ReadHeader()
{
    CString first, columns;
    if (!ReadLine(first) || !ReadLine(columns) || columns != kColumns)
        return false;
    const std::vector<CString> fields = Fields(first);
    if (fields.size() < 2 || fields[0] != kFirstWord || !ReadUtc(fields[1], m_started))
        return false;
    for (size_t i = 2; i < fields.size(); ++i)
    {
        CString target;
        if (!Unescaped(fields[i], target))
            return false;
        m_targets.push_back(target);
    }
    return true;
}

CJournalReader::Result CJournalReader::Next(CJournalEntry& entry)
{
    CString line;
    if (m_dwError != ERROR_SUCCESS || !ReadLine(line))
        return kEnd;
    entry = CJournalEntry();
    return ReadEntry(line, entry) ? kItem : kMalformed;
}

// A line without its line end, or false at the end of the file, or of what
// could be read of it. A line that is not UTF-8 comes back empty: no item's.
bool CJournalReader::ReadLine(CString& strLine)
{
    std::string bytes;
    if (!(m_bBackward ? TakeLastLine(bytes) : TakeNextLine(bytes)))
        return false;
    if (!bytes.empty() && bytes.back() == '\r')
        bytes.pop_back();
    m_nLine += m_bBackward ? -1 : 1;
    if (!FromUtf8(bytes, strLine))
        strLine.Empty();
    return true;
}

bool CJournalReader::TakeNextLine(std::string& bytes)
{
    size_t end = m_buffer.find('\n', m_nNext);
    while (end == std::string::npos && !m_bEnd)
    {
        m_buffer.erase(0, m_nNext);
        m_nNext = 0;
        const size_t kept = m_buffer.size();
        m_buffer.resize(kept + kChunk);
        DWORD read = 0;
        if (!ReadFile(m_file.Get(), &m_buffer[kept], kChunk, &read, nullptr))
            m_dwError = GetLastError();
        m_buffer.resize(kept + read);
        m_bEnd = read == 0;
        end = m_buffer.find('\n', kept);
    }
    if (end == std::string::npos && m_nNext == m_buffer.size())
        return false;
    if (end == std::string::npos)
        end = m_buffer.size();
    bytes = m_buffer.substr(m_nNext, end - m_nNext);
    m_nNext = std::min(end + 1, m_buffer.size());
    return true;
}

// The lines are counted first, so that each keeps its number; then reading
// starts again from the end of the file.
void CJournalReader::FromLastToFirst()
{
    LARGE_INTEGER read = {}, size = {};
    if (m_dwError != ERROR_SUCCESS || !SetFilePointerEx(m_file.Get(), {}, &read, FILE_CURRENT))
        return;
    m_nFirstItem = read.QuadPart - static_cast<LONGLONG>(m_buffer.size() - m_nNext);
    SkipToEnd();
    if (m_dwError == ERROR_SUCCESS && !GetFileSizeEx(m_file.Get(), &size))
        m_dwError = GetLastError();
    ++m_nLine;
    m_bBackward = true;
    m_buffer.clear();
    m_nFrom = size.QuadPart;
}

int CJournalReader::SkipToEnd()
{
    int nLines = 0;
    for (std::string bytes; TakeNextLine(bytes);)
        ++nLines;
    m_nLine += nLines;
    return nLines;
}

// The part still to be given ends after a line end, but for the file's last
// line when the run ended in the middle of it.
bool CJournalReader::TakeLastLine(std::string& bytes)
{
    for (;;)
    {
        const size_t body = m_buffer.size() - (!m_buffer.empty() && m_buffer.back() == '\n' ? 1 : 0);
        const size_t start = body == 0 ? std::string::npos : m_buffer.rfind('\n', body - 1);
        if (start != std::string::npos || m_nFrom <= m_nFirstItem)
        {
            if (m_buffer.empty())
                return false;
            const size_t from = start == std::string::npos ? 0 : start + 1;
            bytes = m_buffer.substr(from, body - from);
            m_buffer.resize(from);
            return true;
        }
        if (m_dwError != ERROR_SUCCESS || !ReadEarlierChunk())
            return false;
    }
}

bool CJournalReader::ReadEarlierChunk()
{
    const LONGLONG from = std::max(m_nFirstItem, m_nFrom - static_cast<LONGLONG>(kChunk));
    std::string chunk(static_cast<size_t>(m_nFrom - from), '\0');
    LARGE_INTEGER at = {};
    at.QuadPart = from;
    DWORD read = 0;
    if (!SetFilePointerEx(m_file.Get(), at, nullptr, FILE_BEGIN) ||
        !ReadFile(m_file.Get(), &chunk[0], static_cast<DWORD>(chunk.size()), &read, nullptr))
        m_dwError = GetLastError();
    else if (read != chunk.size())
        m_dwError = ERROR_HANDLE_EOF;    // the file was cut short meanwhile
    if (m_dwError != ERROR_SUCCESS)
        return false;
    m_buffer.insert(0, chunk);
    m_nFrom = from;
    return true;
}

CString CJournalReader::LineName() const
{
    CString name;
    name.Format(_T("%s, line %d"), FromExtendedLengthPath(m_strPath).GetString(), m_nLine);
    return name;
}
