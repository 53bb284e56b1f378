// Which camera --camera names: its camera ID, PRODUCTID-CAMERAID as its
// backup file is named (1030-468253), or its interface path as status
// shows it. Two cameras may share a camera ID under different product
// ids, and even both; their paths differ always.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct CameraSeen;

struct CameraChoice {
    enum class By { id, productAndId, path };
    By by = By::id;
    uint16_t productId = 0;
    uint32_t cameraId = 0;
    std::string path;
    std::string text;  // as given
};

// False when the text is none of the three forms; an interface path
// begins with a backslash, as the system's do (\\?\...).
bool ParseCameraChoice(const std::string& text, CameraChoice* choice);
bool Chooses(const CameraChoice& choice, const CameraSeen& camera);
// The shortest form that chooses the camera among those connected: its
// camera ID, else PRODUCTID-CAMERAID, else its path.
std::string ChoosingForm(const CameraSeen& camera, const std::vector<CameraSeen>& connected);
