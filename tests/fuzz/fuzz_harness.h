// What the fuzz targets share: a main window whose native window exists
// but which builds no wizard, over a fresh simulated machine.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "app/orvel_config.h"
#include "platform/sim/sim_machine.h"
#include "toolkit/button.h"
#include "toolkit/combo_box.h"
#include "wizard/camera_info_pane.h"

namespace fuzz {

class Window : public COrvelConfig {
public:
    void CreatePeerWindow() override { CWindow::CreatePeerWindow(); }
};

// A fresh machine and window, with a pane, a Next button and a chooser of
// the wizard's two items.
struct Bench {
    Bench();
    ~Bench();
    std::unique_ptr<Window> window;
    CCameraInfoPane pane;
    CButton next;
    CComboBox chooser;
};

// Reads the input front to back; past its end every read gives zeros.
class Input {
public:
    Input(const uint8_t* data, size_t size) : data(data), size(size) {}
    uint8_t Byte() { return at < size ? data[at++] : 0; }
    uint32_t U32();
    size_t Left() const { return size - at; }
    const uint8_t* Take(size_t count, size_t* taken);

private:
    const uint8_t* data;
    size_t size;
    size_t at = 0;
};

}  // namespace fuzz
