// The uninstall engine: removes the product in one fixed sequence on the worker thread and
// reports its progress. One object per process, reached through GetSingleton().
#pragma once

#include "app/Callback.h"
#include "ui/base/UIString.h"

// A percentage and a narrow text (always empty: the percentage says it all).
using UninstallProgressFn = Callback<void(int percent, const char* text)>;
using UninstallDoneFn = Callback<void()>;

class UnInstall {
public:
    // The one object is built before the program's entry point runs, so no thread ever finds
    // it half built, and it goes with the other static objects at exit.
    static UnInstall& GetSingleton();

    virtual ~UnInstall() = default;
    UnInstall(const UnInstall&) = delete;
    UnInstall& operator=(const UnInstall&) = delete;

    // Runs the whole sequence. Does not return when the self-delete command starts (the
    // process ends); returns true otherwise.
    bool Run();

    // Deletes a folder with its content, depth first; see DeleteTreeNoFollow. Folders that
    // are not plainly the product's own (system locations, drive roots, links) are refused.
    bool DeleteFolderTree(const VarnUI::CUIString& path);
    // The same for a narrow path; refused when the ANSI code page does not convert it exactly.
    bool DeleteFolderTree(const char* path);

    UninstallProgressFn m_progress;
    UninstallDoneFn m_done;

private:
    UnInstall() = default;

    void Report(int percent);

    static UnInstall s_instance;
};
