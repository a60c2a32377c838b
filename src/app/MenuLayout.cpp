#include "app/MenuLayout.h"

#include "base/CommandIds.h"

namespace quillet::app {
namespace {

constexpr SMenuItem kFile[] = {
    {ID_FILE_NEW, u"&New"},       {ID_FILE_OPEN, u"&Open..."},
    {ID_FILE_SAVE, u"&Save"},     {ID_FILE_SAVE_AS, u"Save &As..."},
    {0, u""},                     {ID_FILE_PAGE_SETUP, u"Page Set&up..."},
    {ID_FILE_PRINT_PREVIEW, u"Print Pre&view"}, {ID_FILE_PRINT, u"&Print..."},
    {0, u""},                     {ID_FILE_MRU_FILE1, u"Recent File"},
    {0, u""},                     {ID_APP_EXIT, u"E&xit"},
};

constexpr SMenuItem kEdit[] = {
    {ID_EDIT_UNDO, u"&Undo"},
    {ID_EDIT_REDO, u"&Redo"},
    {0, u""},
    {ID_EDIT_CUT, u"Cu&t"},
    {ID_EDIT_COPY, u"&Copy"},
    {ID_EDIT_PASTE, u"&Paste"},
    {ID_EDIT_SELECT_ALL, u"Select &All"},
    {0, u""},
    {ID_EDIT_FIND, u"&Find..."},
    {ID_EDIT_REPLACE, u"R&eplace..."},
    {ID_EDIT_GOTO_LINE, u"&Go to line..."},
    {0, u""},
    {ID_EDIT_COMMENT, u"Comment"},
    {ID_EDIT_UNCOMMENT, u"Uncomment"},
    {0, u""},
    {ID_EDIT_TOGGLE_BOOKMARK, u"Toggle Bookmark"},
    {ID_EDIT_PREVIOUS_BOOKMARK, u"Previous Bookmark"},
    {ID_EDIT_NEXT_BOOKMARK, u"Next Bookmark"},
    {ID_EDIT_CLEAR_ALL_BOOKMARKS, u"Clear All Bookmarks"},
    {0, u""},
    {ID_EDIT_LIST_MEMBERS, u"List members"},
    {ID_EDIT_PARAMETERS_INFO, u"Parameters info"},
    {ID_EDIT_COMPLETE_WORD, u"Complete Word"},
};

constexpr SMenuItem kView[] = {
    {ID_VIEW_TOOLBAR, u"&Toolbar"},
    {ID_VIEW_STATUS_BAR, u"&Status Bar"},
    {0, u""},
    {ID_VIEW_LINE_NUMBERS, u"&Line numbers"},
    {ID_VIEW_WHITESPACE, u"View &Whitespace"},
    {0, u""},
    {ID_VIEW_OUTPUT, u"Output"},
    {ID_VIEW_VARIABLES, u"Variables"},
    {ID_VIEW_OBJECT_BROWSER, u"Object Browser"},
    {0, u""},
    {ID_VIEW_CHANGE_FONT, u"Change &Font..."},
};

constexpr SMenuItem kDebug[] = {
    {ID_DEBUG_RUN_SCRIPT, u"&Run script"},
    {0, u""},
    {ID_DEBUG_START_OR_CONTINUE, u"Start or &Continue"},
    {ID_DEBUG_STEP_INTO, u"Step &into"},
    {ID_DEBUG_STEP_OVER, u"Step &over"},
    {ID_DEBUG_STEP_OUT, u"Step o&ut"},
    {ID_DEBUG_STOP, u"&Stop debugging"},
    {0, u""},
    {ID_DEBUG_TOGGLE_BREAKPOINT, u"Toggle &Breakpoint"},
    {ID_DEBUG_REMOVE_ALL_BREAKPOINTS, u"Remove &All breakpoints"},
    {0, u""},
    {ID_DEBUG_WSCRIPT, u"WScript"},
    {ID_DEBUG_CSCRIPT, u"CScript (console mode)"},
    {ID_DEBUG_REDIRECT_CONSOLE, u"Redirect console"},
};

// The snippet tree follows the last separator.
constexpr SMenuItem kSnippets[] = {
    {ID_SNIPPETS_ADD, u"Add to Code Snippets..."},
    {ID_SNIPPETS_ORGANIZE, u"Organize Code Snippets..."},
    {0, u""},
    {ID_SNIPPETS_WMI, u"WMI..."},
    {0, u""},
};

// Replaced by the sample scripts once they are read.
constexpr SMenuItem kSamples[] = {
    {ID_SAMPLES_EMPTY, u"(Empty)"},
};

constexpr SMenuItem kTools[] = {
    {ID_TOOLS_REFERENCES, u"References..."},
    {0, u""},
    {ID_TOOLS_OPTIONS, u"Options..."},
    {ID_TOOLS_RUNNING_SCRIPTS, u"Running scripts..."},
};

constexpr SMenuItem kHelp[] = {
    {ID_HELP_CONTENTS, u"Contents"},
    {ID_HELP_SEARCH, u"&Search..."},
    {ID_HELP_SEARCH_WEB, u"Search the &Web..."},
    {0, u""},
    {ID_HELP_WEBSITE, u"Quillet website"},
    {ID_HELP_DOWNLOAD_DEBUGGER, u"Download Microsoft Script Deb&ugger..."},
    {0, u""},
    {ID_APP_ABOUT, u"&About..."},
};

constexpr SMenu kMainMenu[] = {
    {u"&File", kFile},         {u"&Edit", kEdit},       {u"&View", kView},
    {u"&Debug", kDebug},       {u"Snippets", kSnippets}, {u"Samples", kSamples},
    {u"Tools", kTools},        {u"&Help", kHelp},
};

constexpr SMenuItem kContextMenu[] = {
    {ID_EDIT_CUT, u"Cu&t"},
    {ID_EDIT_COPY, u"&Copy"},
    {ID_EDIT_PASTE, u"&Paste"},
    {0, u""},
    {ID_EDIT_COMMENT, u"Comment"},
    {ID_EDIT_UNCOMMENT, u"Uncomment"},
    {0, u""},
    {ID_DEBUG_TOGGLE_BREAKPOINT, u"Toggle &Breakpoint"},
    {0, u""},
    {ID_SNIPPETS_ADD, u"Add to Snippets..."},
    {kInsertSnippetPopupId, kInsertSnippetPopupText},
    {0, u""},
    {ID_EDIT_LIST_MEMBERS, u"List members"},
    {ID_EDIT_PARAMETERS_INFO, u"Parameters info"},
    {ID_EDIT_COMPLETE_WORD, u"Complete Word"},
};

constexpr SToolbarButton kMainToolbar[] = {
    {ID_FILE_NEW, u""},
    {ID_FILE_OPEN, u""},
    {ID_FILE_SAVE, u""},
    {0, u""},
    {ID_EDIT_CUT, u""},
    {ID_EDIT_COPY, u""},
    {ID_EDIT_PASTE, u""},
    {0, u""},
    {ID_EDIT_UNDO, u""},
    {ID_EDIT_REDO, u""},
    {0, u""},
    {ID_SNIPPETS_INSERT, u"Snippets"},
    {0, u""},
    {ID_VIEW_OBJECT_BROWSER, u""},
    {0, u""},
    {ID_EDIT_FIND, u""},
    {ID_HELP_SEARCH_WEB, u""},
    {ID_HELP_SEARCH, u"Help"},
    {0, u""},
    {ID_EDIT_TOGGLE_BOOKMARK, u""},
    {ID_EDIT_PREVIOUS_BOOKMARK, u""},
    {ID_EDIT_NEXT_BOOKMARK, u""},
    {ID_EDIT_CLEAR_ALL_BOOKMARKS, u""},
    {0, u""},
    {ID_EDIT_INCREASE_INDENT, u""},
    {ID_EDIT_DECREASE_INDENT, u""},
    {0, u""},
    {ID_EDIT_COMMENT, u""},
    {ID_EDIT_UNCOMMENT, u""},
};

constexpr SToolbarButton kDebugToolbar[] = {
    {ID_DEBUG_START_OR_CONTINUE, u"Start"},
    {ID_DEBUG_STOP, u""},
    {ID_DEBUG_BREAK, u""},
    {0, u""},
    {ID_DEBUG_STEP_INTO, u""},
    {ID_DEBUG_STEP_OVER, u""},
    {ID_DEBUG_STEP_OUT, u""},
    {0, u""},
    {ID_DEBUG_TOGGLE_BREAKPOINT, u""},
    {ID_DEBUG_REMOVE_ALL_BREAKPOINTS, u""},
    {0, u""},
    {ID_DEBUG_RUN_SCRIPT, u""},
    {0, u""},
    {ID_DEBUG_WSCRIPT, u"WScript"},
    {ID_DEBUG_CSCRIPT, kConsoleHostCaption},
    {ID_DEBUG_REDIRECT_CONSOLE, u""},
    {ID_DEBUG_ARGUMENTS_LABEL, u"Arguments"},
    {ID_DEBUG_ARGUMENTS, u""},
};

constexpr SMenuItem kToolbarOnly[] = {
    {ID_SNIPPETS_INSERT, u"Insert snippet"},
    {ID_DEBUG_BREAK, u"Break"},
    {ID_EDIT_INCREASE_INDENT, u"Increase Indent"},
    {ID_EDIT_DECREASE_INDENT, u"Decrease Indent"},
};

}  // namespace

std::span<const SMenu> MainMenu() { return kMainMenu; }
std::span<const SMenuItem> EditorContextMenu() { return kContextMenu; }
std::span<const SToolbarButton> MainToolbarButtons() { return kMainToolbar; }
std::span<const SToolbarButton> DebugToolbarButtons() { return kDebugToolbar; }
std::span<const SMenuItem> ToolbarOnlyCommands() { return kToolbarOnly; }

}  // namespace quillet::app
