#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "batch/run_batch.h"
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

/// What `quorvex --help` prints.
inline constexpr std::string_view kWindowUsage =
    "Usage: quorvex [OPTION] [DRAWING... | FOLDER]\n"
    "Opens the window that converts DXF drawings into coordinate data files.\n"
    "\n"
    "  DRAWING    a .dxf file: the window opens on its folder with the drawings given selected\n"
    "  FOLDER     the window opens on this folder\n"
    "  --help     show this help and exit\n"
    "  --version  show the version and exit\n"
    "  --         the arguments that follow are drawings or folders, even those starting with -\n"
    "\n"
    "quorvex-cli converts the same way without a window.\n";

/// The message naming the drawings and folders given to open that the list, which shows `folder`
/// (none when empty), does not show: those `elsewhere` and those `not_found`, at most ten of each.
std::string NotOpenedPathsText(std::string_view folder, const std::vector<std::string>& elsewhere,
                               const std::vector<std::string>& not_found);
/// The dialog of "Add attribute column...", which asks for the tag.
inline constexpr std::string_view kAttributeColumnTitle = "Add attribute column";
inline constexpr std::string_view kAttributeColumnLabel = "Tag of the block attribute :";

/// Start-up's message when the last configuration is not at `path`.
std::string ConfigNotFoundText(std::string_view path);

/// "Show last Log" when there is no log file.
std::string NoLogFileText();

/// The preview panel: with no drawing focused in the file list, while a preview is computed, the
/// line above the plot, and a kind's entry in the plot's legend.
inline constexpr std::string_view kPreviewNoDrawing =
    "Choose a drawing in the list of the \"DXF Files\" tab to preview it.";
inline constexpr std::string_view kPreviewComputing = "Computing the preview...";
/// "road.dxf: 1234 points", and ", first N entities of M" when only the first entities of the
/// drawing's M were converted.
std::string PreviewSummaryText(std::string_view file_name, std::int64_t points,
                               std::int64_t entities_converted, std::int64_t entity_total);
std::string LegendText(std::string_view kind_name, std::int64_t points);

/// The message when the desktop could not open `target` (a file, a folder or an address).
std::string NotOpenedText(std::string_view target);

/// The status bar's words for a run over `file_count` files that ended with `result`, its
/// report meant for `log_path`: the summary the command line prints, or why it was refused.
std::string RunSummaryText(const BatchResult& result, std::string_view log_path,
                           std::size_t file_count);
/// The title of the "Drawing information..." dialog, and its text when the drawing at
/// `dxf_path` cannot be read (`failure`: kDxfUnreadable, kNotDxf, kFileChanged).
inline constexpr std::string_view kDrawingInfoTitle = "Drawing information";
std::string DrawingInfoFailureText(std::string_view dxf_path, const Failure& failure);

/// The window's words for `failure`: its own for configuration files, else the words both front
/// ends share.
std::string WindowFailureText(const Failure& failure);

}  // namespace quorvex
