// The uninstall engine: removes the product in one fixed sequence on the worker thread and
// reports its progress. One object per process, reached through GetSingleton().
#pragma once

#include <functional>
#include <string>

using UninstallProgressFn = std::function<void(int percent, const std::string& text)>;
using UninstallDoneFn = std::function<void()>;

class UnInstall {
public:
    static UnInstall& GetSingleton();

    virtual ~UnInstall() = default;
    UnInstall(const UnInstall&) = delete;
    UnInstall& operator=(const UnInstall&) = delete;

    // Runs the whole sequence. Does not return when the self-delete command starts (the
    // process ends); returns true otherwise.
    bool Run();

    // Deletes a folder with its content, depth first; see DeleteTreeNoFollow. Folders that
    // are not plainly the product's own (system locations, drive roots, links) are refused.
    bool DeleteFolderTree(const std::wstring& path);
    // The same for a narrow path; refused when the ANSI code page does not convert it exactly.
    bool DeleteFolderTree(const std::string& path);

    UninstallProgressFn m_progress;
    UninstallDoneFn m_done;

private:
    UnInstall() = default;

    void Report(int percent);
};
