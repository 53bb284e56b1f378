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
// Its path, DATA/unfinished.txt, for texts.
std::string Path();

// A note the program cannot read as its own (over its size limit, not
// text, not a regular file) tells nothing: it is removed where it can be,
// a file, a link or a FIFO, and the cameras it named are lost; a folder or
// a socket at its name cannot be replaced, and while it stands no camera
// is written. What was found and done goes into the run record. False
// while a note stands that cannot be replaced.
bool Mend();

// Notes the camera as being written with the mode ("Disabled", "Enabled"
// or "Original"), saved before it returns; false when it cannot be saved
// (the camera is then not written). A note not the program's is replaced.
bool Begin(uint16_t productId, uint32_t cameraId, const std::string& mode);
// Takes the camera's line off; false when the note cannot be saved.
bool End(uint16_t productId, uint32_t cameraId);
// The mode of the camera's line, when it has one (*found). False when the
// note cannot be read.
bool Find(uint16_t productId, uint32_t cameraId, std::string* mode, bool* found);

}  // namespace updatenote
