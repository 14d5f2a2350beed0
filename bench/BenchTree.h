// What the benchmarks share: a tree of empty files to work on, made and
// removed again, and a stopwatch. Header only: every .cpp of bench/ is a
// program of its own.
#pragma once

#include "framework/CString.h"

#include <cstdio>
#include <cstdlib>

struct CTreeShape
{
    int folders;
    int subfolders;
    int files;
    int FileCount() const { return folders * subfolders * files; }
    int FolderCount() const { return folders + folders * subfolders; }
};

// The default shape, or the one given as "folders subfolders files".
inline CTreeShape ShapeFromArguments(int argc, char** argv, const char* pszUsage)
{
    CTreeShape shape = {20, 10, 100};
    if (argc == 4)
        shape = {std::atoi(argv[1]), std::atoi(argv[2]), std::atoi(argv[3])};
    if (shape.folders < 1 || shape.subfolders < 1 || shape.files < 1)
    {
        std::fprintf(stderr, "usage: %s [folders subfolders files]\n", pszUsage);
        std::exit(2);
    }
    return shape;
}

class CStopwatch
{
public:
    CStopwatch() { QueryPerformanceCounter(&m_start); }
    double Seconds() const
    {
        LARGE_INTEGER now, frequency;
        QueryPerformanceCounter(&now);
        QueryPerformanceFrequency(&frequency);
        return static_cast<double>(now.QuadPart - m_start.QuadPart) / static_cast<double>(frequency.QuadPart);
    }

private:
    LARGE_INTEGER m_start;
};

inline void CreateEmptyFile(const CString& path)
{
    HANDLE h = CreateFile(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
    {
        std::fprintf(stderr, "cannot create %ls\n", path.GetString());
        std::exit(1);
    }
    CloseHandle(h);
}

// root\folderNN\subNN\fileNNNN.txt
inline void BuildTree(const CString& root, const CTreeShape& shape)
{
    CreateDirectory(root, nullptr);
    for (int f = 0; f < shape.folders; ++f)
    {
        CString folder;
        folder.Format(_T("%s\\folder%02d"), root, f);
        CreateDirectory(folder, nullptr);
        for (int s = 0; s < shape.subfolders; ++s)
        {
            CString subfolder;
            subfolder.Format(_T("%s\\sub%02d"), folder, s);
            CreateDirectory(subfolder, nullptr);
            for (int n = 0; n < shape.files; ++n)
            {
                CString file;
                file.Format(_T("%s\\file%04d.txt"), subfolder, n);
                CreateEmptyFile(file);
            }
        }
    }
}

inline void RemoveTree(const CString& folder)
{
    WIN32_FIND_DATA data;
    HANDLE find = FindFirstFileEx(folder + _T("\\*"), FindExInfoBasic, &data, FindExSearchNameMatch,
                                  nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find != INVALID_HANDLE_VALUE)
    {
        do
        {
            CString name(data.cFileName);
            if (name == _T(".") || name == _T(".."))
                continue;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(folder + _T("\\") + name);
            else
                DeleteFile(folder + _T("\\") + name);
        } while (FindNextFile(find, &data));
        FindClose(find);
    }
    RemoveDirectory(folder);
}

// A folder of the temporary folder named for this process, for the tree.
inline CString MakeBenchFolder()
{
    TCHAR temp[MAX_PATH + 1];
    GetTempPath(MAX_PATH + 1, temp);
    CString base;
    base.Format(_T("%sdorvane-bench-%lu"), temp, GetCurrentProcessId());
    CreateDirectory(base, nullptr);
    return base;
}
