#pragma once
// A main window on a test program folder, with the settings loaded and no files open.

#include "GuiTestSupport.h"

#include "app/CMainFrame.h"
#include "core/DebugLog.h"

#include <memory>

struct TestFrame
{
    explicit TestFrame(const TestHome& home)
        : ini(home / "quantorix.ini")
    {
        debuglog::setProgramFolder(home.folder());
        window = std::make_unique<CMainFrame>(home.folder(), ini);
        window->resize(1000, 600);
        window->loadSettings();
        window->resetToNoFiles();
    }
    CMainFrame* operator->() { return window.get(); }

    IniProfile ini;
    std::unique_ptr<CMainFrame> window;
};
