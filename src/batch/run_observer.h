#pragma once

#include <cstddef>

#include "engine/convert_dxf_file.h"
#include "engine/progress_display.h"

namespace quorvex {

/// What a front end shows of a run: the progress window with its label and bar (driven by the
/// conversion itself), a note when each file starts and ends, and the hiding of the window.
/// RunBatch never calls two of these at once, whatever the number of workers.
class RunObserver {
 public:
  virtual ~RunObserver() = default;
  /// The display the conversion drives; used only by runs with one worker, on the calling thread.
  virtual ProgressDisplay& Progress() = 0;
  /// File `index` of the run (counted from 0, in report order) is about to be converted.
  virtual void FileStarted(std::size_t index) = 0;
  virtual void FileFinished(std::size_t index, ConversionOutcome outcome) = 0;
  /// The run is over: hide the progress window, whether it was shown or not.
  virtual void HideProgress() = 0;
};

}  // namespace quorvex
