// A drop-down chooser of texts at 1-based positions.
#pragma once

#include <cstdint>

#include "toolkit/view.h"

class CComboBox : public CView {
public:
    static constexpr int maxItems = 16;
    static constexpr uint32_t maxItemText = 63;

    void Init(const CRect& rect, uint32_t style, bool sorted);
    // Adds an item at the next position; false when the chooser is full.
    bool AddItem(uint32_t length, const char* text, int data);
    // Fits the drop-down list to the items added.
    void FitList();
    // Selects an existing position; any other value clears the selection.
    // A selection that changes is posted to the window as cmSelectionChanged.
    void Select(int position);
    // The selected position, 0 when nothing is selected.
    int SelectedPosition() const { return selected; }
    int ItemCount() const { return count; }
    const char* ItemText(int position) const;
    int ListRows() const { return listRows; }

    int32_t NaturalHeight() const override { return 22; }

private:
    char items[maxItems][maxItemText + 1] = {};
    int count = 0;
    int selected = 0;
    int listRows = 0;
};
