#pragma once
// The script being edited: an array of UTF-16 lines with undo history, line marks and the
// breakpoint table. Every change goes through InsertText and DeleteText, which record undo,
// keep marks and breakpoints on their lines and tell each view what moved.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "document/DocumentTypes.h"
#include "document/TextPosition.h"
#include "document/WatchList.h"

namespace quillet::platform {
class CAnsiCodePage;
}

namespace quillet::document {

class CDocumentLoader;
class CUpdateContext;
class IDocumentView;

class CQuilletDoc {
 public:
  struct SLineInfo {
    std::unique_ptr<char16_t[]> text;  // not terminated; null for a line that never held text
    int32_t length = 0;
    int32_t capacity = 0;              // always a multiple of 16 and larger than length
    uint32_t flags = 0;
  };

  struct SUndoRecord {
    uint32_t flags = 0;
    CTextPosition start;
    CTextPosition end;    // for a deletion, the end of the range before it went
    int32_t action = ActionGeneric;
    // Line breaks as CR LF. Short texts (a typed character) live inside the string object.
    std::u16string text;
    // For a deletion across lines, the length of each removed piece of a line but the last:
    // a line may hold a CR or LF as text (loaded from a file with another separator), so the
    // breaks in text cannot be found by looking for CR LF.
    std::vector<int32_t> pieceLengths;
  };

  static constexpr uint32_t UndoInsert = 0x1;
  static constexpr uint32_t UndoGroupStart = 0x100;
  static constexpr int32_t kUndoLimit = 1024;
  // Lengths and counts are 32-bit; a line's capacity (a multiple of 16 above its length) must
  // fit as well.
  static constexpr int32_t kMaxLineLength = INT32_MAX - 31;
  static constexpr int32_t kMaxLineCount = INT32_MAX;

  using BreakpointTable = std::unordered_map<int32_t, int32_t>;

  CQuilletDoc();
  virtual ~CQuilletDoc();
  CQuilletDoc(const CQuilletDoc&) = delete;
  CQuilletDoc& operator=(const CQuilletDoc&) = delete;

  // Views, told of every change in the order they were added.
  void AddView(IDocumentView* view);
  void RemoveView(IDocumentView* view);
  void UpdateViews(IDocumentView* source, const CUpdateContext* context, uint32_t flags,
                   int32_t line);

  // Reading. Line indexes must be valid.
  [[nodiscard]] int32_t GetLineCount() const { return static_cast<int32_t>(m_lines.size()); }
  [[nodiscard]] int32_t GetLineLength(int32_t line) const;
  [[nodiscard]] const char16_t* GetLineChars(int32_t line) const;
  [[nodiscard]] std::u16string_view GetLine(int32_t line) const;
  [[nodiscard]] uint32_t GetLineFlags(int32_t line) const;
  [[nodiscard]] int32_t GetLineCapacity(int32_t line) const;
  [[nodiscard]] bool IsValidPosition(int32_t line, int32_t ch) const;
  bool GetText(int32_t startLine, int32_t startChar, int32_t endLine, int32_t endChar,
               std::u16string& text, std::u16string_view lineBreak = u"\r\n") const;

  // Line marks. bit must be exactly one bit; line -1 means the first line that has it.
  bool SetLineFlag(int32_t line, uint32_t bit, bool on, bool unique);
  [[nodiscard]] int32_t FindLineWithFlag(uint32_t bits) const;
  [[nodiscard]] int32_t FindLineWithSingleFlag(uint32_t bit) const;
  [[nodiscard]] int32_t FindNextBookmark(int32_t line) const;
  [[nodiscard]] int32_t FindPrevBookmark(int32_t line) const;

  // Editing with undo. Invalid positions are refused (false) without any change.
  bool InsertText(IDocumentView* source, int32_t line, int32_t ch, std::u16string_view text,
                  int32_t& endLine, int32_t& endChar, int32_t action);
  bool DeleteText(IDocumentView* source, int32_t startLine, int32_t startChar, int32_t endLine,
                  int32_t endChar, int32_t action);
  // Overwrites text.size() code units at (line, ch) with no undo record, no notification and no
  // change of the modified flag: for case corrections made while painting. Out of range: false.
  bool RewriteInPlace(int32_t line, int32_t ch, std::u16string_view text);
  void BeginUndoGroup(bool mergeWithPrevious = false);
  void FlushUndoGroup(IDocumentView* source);
  [[nodiscard]] bool CanUndo() const { return m_undoPosition > 0; }
  [[nodiscard]] bool CanRedo() const {
    return m_undoPosition < static_cast<int32_t>(m_undo.size());
  }
  bool Undo(CTextPosition& caret);
  bool Redo(CTextPosition& caret);
  bool GetUndoDescription(std::u16string& text) const;
  bool GetRedoDescription(std::u16string& text) const;
  virtual bool GetActionDescription(int32_t action, std::u16string& text) const;
  [[nodiscard]] const std::vector<SUndoRecord>& GetUndoRecords() const { return m_undo; }
  [[nodiscard]] int32_t GetUndoPosition() const { return m_undoPosition; }
  // Forgets every undo and redo step, as for a script that was just opened.
  void ResetUndo();

  // The breakpoint table: line -> 1 for a set breakpoint, 0 for one cleared while the script
  // engine may still hold it. Its keys follow the lines as text comes and goes.
  [[nodiscard]] BreakpointTable& Breakpoints() { return m_breakpoints; }
  [[nodiscard]] const BreakpointTable& Breakpoints() const { return m_breakpoints; }
  // Set while the debugger is attached to a run of this script; the value tips need it.
  [[nodiscard]] bool IsDebugging() const { return m_debugging; }
  void SetDebugging(bool debugging) { m_debugging = debugging; }
  // What the variables window listed at its last refresh.
  [[nodiscard]] CWatchList& WatchList() { return m_watchList; }
  [[nodiscard]] const CWatchList& WatchList() const { return m_watchList; }

  [[nodiscard]] bool IsUnicode() const { return m_unicode; }
  void SetUnicode(bool unicode) { m_unicode = unicode; }
  [[nodiscard]] ELineEndStyle GetLineEndStyle() const { return m_lineEndStyle; }
  [[nodiscard]] bool IsModified() const { return m_modified; }
  void SetModifiedFlag(bool modified) { m_modified = modified; }
  [[nodiscard]] bool IsTextChanged() const { return m_textChanged; }
  void ClearTextChanged() { m_textChanged = false; }
  [[nodiscard]] bool IsInitialised() const { return m_initialised; }

  // Lifecycle.
  void InitNew(ELineEndStyle style);
  void FreeAll();
  void AppendLine(std::u16string_view text);
  // Before a new or opened script: Unicode off, breakpoints gone, all lines and undo freed.
  void DeleteContents();

  // Files. style -1 detects the line ends of an ANSI file on load, and on save means the
  // style the file was loaded with. Both return false on any failure; LastFileError() then
  // holds the system's error number. A file that cannot be opened or read from its start
  // leaves the document as it was.
  bool LoadFromFile(const std::string& path, int32_t style);
  bool SaveToFile(const std::string& path, int32_t style, bool clearModified);
  [[nodiscard]] int LastFileError() const { return m_lastFileError; }
  [[nodiscard]] bool HasNonAnsiChars() const;
  // The code page for ANSI files; the system's unless a test chooses another.
  void SetCodePage(const platform::CAnsiCodePage* codePage) { m_codePage = codePage; }
  [[nodiscard]] const platform::CAnsiCodePage& CodePage() const;

  // The document's file: empty for an untitled script. SetPathName stores the path with the
  // spelling that the file system reports for each component.
  [[nodiscard]] const std::string& GetPathName() const { return m_pathName; }
  void SetPathName(const std::string& path);
  void ClearPathName() { m_pathName.clear(); }
  // The file name for the window title, or "Untitled".
  [[nodiscard]] std::string GetTitle() const;

  // Framework steps: a new empty script, or the script in a file. beforeReplacing runs once
  // the file has been opened, just before the current script is given up; after a later
  // failure the lines read so far stay, with no path.
  bool OnNewDocument();
  bool OnOpenDocument(const std::string& path, const std::function<void()>& beforeReplacing = {});

 private:
  friend class CDocumentLoader;

  bool LoadOpened(CDocumentLoader& loader, int32_t style);
  SLineInfo& InsertEmptyLine(int32_t index, int32_t capacityNeeded);
  static void Reserve(SLineInfo& line, int32_t needed);
  static void AppendToLine(SLineInfo& line, std::u16string_view text);
  using Pieces = std::vector<std::u16string_view>;
  // Typed or pasted text as lines: CR breaks a line (with one LF after it), a lone LF is text.
  [[nodiscard]] static Pieces SplitAtBreaks(std::u16string_view text);
  // The lines of a record's text exactly as they were recorded.
  [[nodiscard]] static Pieces RecordedPieces(const SUndoRecord& record);
  bool InsertPrimitive(int32_t line, int32_t ch, const Pieces& pieces, int32_t& endLine,
                       int32_t& endChar);
  bool DeletePrimitive(int32_t startLine, int32_t startChar, int32_t endLine, int32_t endChar);
  void ShiftBreakpointsForInsert(int32_t line, int32_t added);
  void ShiftBreakpointsForDelete(int32_t startLine, int32_t endLine);
  void AddUndoRecord(bool insert, CTextPosition start, CTextPosition end,
                     std::u16string_view text, std::vector<int32_t> pieceLengths, int32_t action);
  // Redoes (forward) or undoes one record; false, with nothing changed, if its place is gone.
  bool ApplyRecord(const SUndoRecord& record, bool forward, CTextPosition& caret);
  void DropOldestUndoGroup();
  void SyncModifiedWithSavedPosition();

  bool m_unicode = false;
  bool m_initialised = false;
  ELineEndStyle m_lineEndStyle = EolCrLf;
  int32_t m_undoLimit = kUndoLimit;
  std::vector<SLineInfo> m_lines;
  std::vector<SUndoRecord> m_undo;
  int32_t m_undoPosition = 0;
  // -1 once the saved state can no longer be reached by undo or redo.
  int32_t m_savedPosition = 0;
  bool m_groupOpen = false;
  bool m_groupStartPending = false;
  bool m_textChanged = false;
  BreakpointTable m_breakpoints;
  bool m_debugging = false;
  CWatchList m_watchList;
  bool m_modified = false;
  std::vector<IDocumentView*> m_views;
  std::string m_pathName;
  int m_lastFileError = 0;
  const platform::CAnsiCodePage* m_codePage = nullptr;
};

}  // namespace quillet::document
