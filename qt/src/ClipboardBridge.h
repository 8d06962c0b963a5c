// The library's clipboard mirrored to the system clipboard and back.
#pragma once

namespace orq::qt::detail {

// Puts the library clipboard's contents on the system clipboard.
void PublishClipboard();
// Follows the system clipboard into the library's from now on (until
// StopClipboardBridge).
void StartClipboardBridge();
void StopClipboardBridge();

}  // namespace orq::qt::detail
