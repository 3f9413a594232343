// Names for screen readers: every control of the main dialog is read as
// its caption or as the text of the label that stands by it.
#pragma once

namespace qv::qt {

class TemplateDialog;

void NameControlsForScreenReaders(TemplateDialog& dialog);

}  // namespace qv::qt
