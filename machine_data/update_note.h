// The note of camera updates begun and not finished: DATA/unfinished.txt
// in the machine's data folder, one line a camera, "PRODUCTID CAMERAID
// MODE". A camera's line is saved before the first block is written to it
// and goes once both blocks are verified, as written or as put back, so
// that a run ended between the two blocks (a kill, a crash, a power cut)
// leaves the camera listed for the next run to tell.
#pragma once

#include <cstdint>
#include <string>

namespace updatenote {

// The file's name in the data folder.
extern const char fileName[];

// Notes the camera as being written with the mode ("Disabled", "Enabled"
// or "Original"), saved before it returns; false when it cannot be saved
// (the camera is then not written).
bool Begin(uint16_t productId, uint32_t cameraId, const std::string& mode);
// Takes the camera's line off; false when the note cannot be saved.
bool End(uint16_t productId, uint32_t cameraId);
// The mode of the camera's line, when it has one (*found). False when the
// note cannot be read.
bool Find(uint16_t productId, uint32_t cameraId, std::string* mode, bool* found);

}  // namespace updatenote
