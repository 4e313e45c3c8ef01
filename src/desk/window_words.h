#pragma once

#include <string>
#include <string_view>

#include "engine/failure.h"

namespace quorvex {

// Every text of the window's messages, titles and dialogs that its rules make is spelled here;
// the texts of its controls stay with them.

/// The window's title before any configuration is loaded, with the file named in use, and
/// after start-up fell back to the default configuration.
inline constexpr std::string_view kDesignTitle = " Quorvex V 4.03";
std::string TitleInUse(std::string_view file_name);
inline constexpr std::string_view kTitleFallback = "Quorvex V 4.03[None]";

/// The status panel's text in the same three situations. The save dialog proposes what follows
/// `kStatusInUse`.
inline constexpr std::string_view kStatusBeforeLoad = "Configuration file in use :";
inline constexpr std::string_view kStatusInUse = "Configuration file in use : ";
inline constexpr std::string_view kStatusFallback = "None";

/// The changed-configuration prompt.
inline constexpr std::string_view kChangedQuestion =
    "Current configuration has changed, do you want to save it ?";

/// The question before a .qrv save would drop the settings of `keys` ("quote, bom").
std::string QrvCannotKeepQuestion(std::string_view keys);

/// The configuration file dialogs: their titles, their filters, and the extension of each form,
/// added to a name typed without one.
inline constexpr std::string_view kLoadDialogTitle = "Load a configuration";
inline constexpr std::string_view kSaveDialogTitle = "Save current configuration";
inline constexpr std::string_view kQrvFilter = "Quorvex configurations (*.qrv)";
inline constexpr std::string_view kTomlFilter = "Quorvex configurations, text form (*.toml)";
inline constexpr std::string_view kAllFilesFilter = "All files (*)";
/// The load dialog's first filter, under which the presets show too.
inline constexpr std::string_view kBothFormsFilter =
    "Quorvex configurations, both forms (*.qrv *.toml)";
inline constexpr std::string_view kQrvExtension = "qrv";
inline constexpr std::string_view kTomlExtension = "toml";

/// Start-up's message when the last configuration is not at `path`.
std::string ConfigNotFoundText(std::string_view path);

/// "Show last Log" when there is no log file.
std::string NoLogFileText();

/// The title of the "Drawing information..." dialog, and its text when the drawing at
/// `dxf_path` cannot be read (`failure`: kDxfUnreadable, kNotDxf, kFileChanged).
inline constexpr std::string_view kDrawingInfoTitle = "Drawing information";
std::string DrawingInfoFailureText(std::string_view dxf_path, const Failure& failure);

/// The window's words for `failure`: its own for configuration files, else the words both front
/// ends share.
std::string WindowFailureText(const Failure& failure);

}  // namespace quorvex
