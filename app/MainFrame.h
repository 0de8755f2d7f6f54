// MainFrame: the uninstaller's only window, built from "install.xml" in the skin archive
// resource. It shows the uninstall page, and after "btn_uninstall" the progress page while one
// worker thread runs the engine.
//
// The object is created with new by the entry point and deletes itself when its window goes
// (OnFinalMessage); its destructor ends the message loop. The engine's callbacks and the worker
// hold only the window handle, never the object: each report is posted to the window and
// applied on the user interface thread, so the slider and the label never change while they
// are painted, and a report that comes after the window is gone is dropped by the platform.
#pragma once

#include "ui/window/WindowImplBase.h"

#include <windows.h>

class MainFrame : public VarnUI::WindowImplBase {
public:
    // Posted by the worker after the engine returned: the process ends.
    static constexpr UINT MSG_UNINSTALL_FINISHED = WM_USER + 1;
    // Posted by the engine's callbacks: a progress report (wParam the percentage) and the
    // completion report.
    static constexpr UINT MSG_UNINSTALL_PROGRESS = WM_USER + 2;
    static constexpr UINT MSG_UNINSTALL_DONE = WM_USER + 3;

    MainFrame();
    ~MainFrame() override;

    // CWindowWnd overrides
    const wchar_t* WindowClassName() const override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnFinalMessage(HWND window) override;

    // WindowImplBase overrides
    void OnInitWindow() override;
    void OnClick(VarnUI::NotifyUI& msg) override;
    VarnUI::CUIString SkinFolder() override;
    VarnUI::CUIString SkinFile() override;
    bool OnDefaultKey(WPARAM key) override;
    VarnUI::SkinSourceKind ResourceType() const override;
    const wchar_t* ResourceId() const override;
    LRESULT OnSysCommand(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;
    LRESULT OnCustomMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

    // INotifyUI: "click" goes to OnClick; nothing else matters on the pages shown
    void Notify(VarnUI::NotifyUI& msg) override;
    // IDialogBuilderCallback: the skin uses built-in controls only
    VarnUI::CControlUI* CreateControl(const wchar_t* name) override;

    // The engine's reports, applied on the user interface thread.
    void OnProgress(int percent, const char* text);
    void OnDone();

    // The worker: runs the engine, then tells the window (passed as the parameter) it ended.
    static DWORD WINAPI UninstallThreadProc(LPVOID window);

protected:
    // Starts the worker for the window; false when no thread could be started.
    virtual bool StartUninstallThread(HWND window);

private:
    void StartUninstall();
    bool SelectPage(int index);
    // The named control as the given interface, or null.
    void* FindInterface(const wchar_t* name, const wchar_t* interfaceName) const;

    // A second start would run the whole sequence twice, concurrently.
    bool m_uninstallStarted = false;
};
