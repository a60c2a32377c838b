#include "app/ui/CommandIcons.h"

#include <QPixmap>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>
#include <iterator>

#include "base/CommandIds.h"

// The images live in a static library, whose resources are registered only when asked for.
static void RegisterToolbarImages() { Q_INIT_RESOURCE(toolbar); }

namespace quillet::app {
namespace {

struct SIconSource {
  int commandId;
  const char* themeName;                 // null: none fits
  QStyle::StandardPixmap stylePixmap;    // used when the theme has no such icon
  const char* ownImage;                  // null: the style's image serves as the fallback
};

constexpr QStyle::StandardPixmap kNoStyle = QStyle::SP_CustomBase;

constexpr SIconSource kSources[] = {
    {ID_FILE_NEW, "document-new", QStyle::SP_FileIcon, nullptr},
    {ID_FILE_OPEN, "document-open", QStyle::SP_DialogOpenButton, nullptr},
    {ID_FILE_SAVE, "document-save", QStyle::SP_DialogSaveButton, nullptr},
    {ID_EDIT_CUT, "edit-cut", kNoStyle, "cut"},
    {ID_EDIT_COPY, "edit-copy", kNoStyle, "copy"},
    {ID_EDIT_PASTE, "edit-paste", kNoStyle, "paste"},
    {ID_EDIT_UNDO, "edit-undo", QStyle::SP_ArrowBack, nullptr},
    {ID_EDIT_REDO, "edit-redo", QStyle::SP_ArrowForward, nullptr},
    {ID_SNIPPETS_INSERT, nullptr, kNoStyle, "snippet"},
    {ID_VIEW_OBJECT_BROWSER, nullptr, kNoStyle, "object-browser"},
    {ID_EDIT_FIND, "edit-find", kNoStyle, "find"},
    {ID_HELP_SEARCH_WEB, nullptr, kNoStyle, "search-web"},
    {ID_HELP_SEARCH, "help-contents", QStyle::SP_DialogHelpButton, nullptr},
    {ID_EDIT_TOGGLE_BOOKMARK, nullptr, kNoStyle, "bookmark-toggle"},
    {ID_EDIT_PREVIOUS_BOOKMARK, nullptr, kNoStyle, "bookmark-previous"},
    {ID_EDIT_NEXT_BOOKMARK, nullptr, kNoStyle, "bookmark-next"},
    {ID_EDIT_CLEAR_ALL_BOOKMARKS, nullptr, kNoStyle, "bookmark-clear"},
    {ID_EDIT_INCREASE_INDENT, "format-indent-more", kNoStyle, "indent"},
    {ID_EDIT_DECREASE_INDENT, "format-indent-less", kNoStyle, "outdent"},
    {ID_EDIT_COMMENT, nullptr, kNoStyle, "comment"},
    {ID_EDIT_UNCOMMENT, nullptr, kNoStyle, "uncomment"},
    {ID_DEBUG_START_OR_CONTINUE, "media-playback-start", QStyle::SP_MediaPlay, nullptr},
    {ID_DEBUG_STOP, "media-playback-stop", QStyle::SP_MediaStop, nullptr},
    {ID_DEBUG_BREAK, "media-playback-pause", QStyle::SP_MediaPause, nullptr},
    {ID_DEBUG_STEP_INTO, nullptr, kNoStyle, "step-into"},
    {ID_DEBUG_STEP_OVER, nullptr, kNoStyle, "step-over"},
    {ID_DEBUG_STEP_OUT, nullptr, kNoStyle, "step-out"},
    {ID_DEBUG_TOGGLE_BREAKPOINT, nullptr, kNoStyle, "breakpoint"},
    {ID_DEBUG_REMOVE_ALL_BREAKPOINTS, nullptr, kNoStyle, "breakpoints-clear"},
    {ID_DEBUG_RUN_SCRIPT, nullptr, kNoStyle, "run"},
    {ID_DEBUG_WSCRIPT, nullptr, kNoStyle, "wscript"},
    {ID_DEBUG_CSCRIPT, nullptr, kNoStyle, "cscript"},
    {ID_DEBUG_REDIRECT_CONSOLE, nullptr, kNoStyle, "redirect"},
};

// Qt greys an icon's image by itself only where its engine does so; adding the disabled image
// explicitly gives every button the same look whatever the source.
QIcon WithDisabledLook(const QIcon& icon, const QStyle& style) {
  if (icon.isNull()) return icon;
  QIcon result;
  for (const int size : {16, 24, 32}) {
    const QPixmap normal = icon.pixmap(size, size);
    if (normal.isNull()) continue;
    result.addPixmap(normal, QIcon::Normal);
    QStyleOption option;
    result.addPixmap(style.generatedIconPixmap(QIcon::Disabled, normal, &option), QIcon::Disabled);
  }
  return result.isNull() ? icon : result;
}

QIcon Fallback(const SIconSource& source, const QStyle& style) {
  if (source.ownImage != nullptr) {
    return QIcon(QStringLiteral(":/toolbar/%1.svg").arg(QLatin1String(source.ownImage)));
  }
  if (source.stylePixmap != kNoStyle) return style.standardIcon(source.stylePixmap);
  return {};
}

}  // namespace

QIcon CommandIcon(int commandId, const QStyle& style) {
  static const bool registered = (RegisterToolbarImages(), true);
  (void)registered;
  const auto* source = std::find_if(std::begin(kSources), std::end(kSources),
                                    [&](const SIconSource& s) { return s.commandId == commandId; });
  if (source == std::end(kSources)) return {};
  const QIcon fallback = Fallback(*source, style);
  if (source->themeName == nullptr) return WithDisabledLook(fallback, style);
  return WithDisabledLook(QIcon::fromTheme(QLatin1String(source->themeName), fallback), style);
}

}  // namespace quillet::app
