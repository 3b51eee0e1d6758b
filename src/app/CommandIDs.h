#pragma once

/** The ids of every menu and key command of the main window. The framework's own
    Quit (StandardApplicationCommandIDs::quit, 0x1001) is answered by the application. */
namespace CommandIDs
{
enum
{
    cmdNativeTitleBar = 0x200D,
    cmdNativeMenuBar = 0x200E,
    cmdFileNew = 0x2021,
    cmdFileOpen = 0x2022,
    cmdFileClose = 0x2023,
    cmdFileSave = 0x2024,
    cmdFileSaveAs = 0x2025,
    cmdFileExport = 0x2026,
    cmdFloatingWindows = 0x2027,
    cmdTabbedWindows = 0x2028,
    cmdOnlineUserGuide = 0x2029,
    cmdForum = 0x2030,
    cmdAbout = 0x2031,
    cmdOnlineLicense = 0x2032
};

/** Items of the "Recent Files" submenu have the ids recentFilesBaseId + index in the recent list. */
constexpr int recentFilesBaseId = 1000;
} // namespace CommandIDs
