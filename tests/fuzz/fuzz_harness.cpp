#include "tests/fuzz/fuzz_harness.h"

#include "toolkit/backend.h"
#include "toolkit/headless/headless.h"

namespace fuzz {

Bench::Bench()
{
    sim::ResetMachine();
    headless::Reset();
    window = std::make_unique<Window>();
    window->Init(CRect(100, 100, 272, 164), 0, 0, "", nullptr, nullptr, nullptr, nullptr);
    window->infoPane = &pane;
    window->nextButton = &next;
    window->modeCombo = &chooser;
    chooser.AddItem(8, "Disabled", 0);
    chooser.AddItem(7, "Enabled", 0);
    window->wizardStep = 1;
    window->AttachNativeWindow(backend::CreateNativeWindow(window.get()));
}

Bench::~Bench()
{
    window->CloseCamera();
    backend::DestroyNativeWindow(window.get());
}

uint32_t Input::U32()
{
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value |= static_cast<uint32_t>(Byte()) << (8 * i);
    return value;
}

const uint8_t* Input::Take(size_t count, size_t* taken)
{
    *taken = count < Left() ? count : Left();
    const uint8_t* start = data + at;
    at += *taken;
    return start;
}

}  // namespace fuzz
