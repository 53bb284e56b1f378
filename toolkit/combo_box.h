// A drop-down chooser of texts at 1-based positions. For now only its items
// and selection, which the overscan update reads; the window backends give
// it a face.
#pragma once

#include <cstdint>

class CComboBox {
public:
    static constexpr int maxItems = 8;
    static constexpr uint32_t maxItemText = 63;

    // Adds an item at the next position; false when the chooser is full.
    bool AddItem(uint32_t length, const char* text, int data);
    // Selects an existing position; any other value clears the selection.
    void Select(int position);
    // The selected position, 0 when nothing is selected.
    int SelectedPosition() const { return selected; }
    int ItemCount() const { return count; }
    const char* ItemText(int position) const;

private:
    char items[maxItems][maxItemText + 1] = {};
    int count = 0;
    int selected = 0;
};
