// DHeader: the row of column titles above a DListView. Each column has a title and a width
// in pixels (kept as its decimal text); columns sit side by side from x = 0, moved left by
// `scroll` pixels when the list is scrolled sideways. A title too wide for its column is
// shortened and ends in "... ". Coordinates are the header's own pixels. Owns its two text
// lists.
#pragma once

#include "framework/DView.h"

class DStringList;

class DHeader : public DView {
public:
    DHeader();
    ~DHeader() override;

    bool create(int x, int y, int width, int height);
    void addColumn(const DString& title, int columnWidth);
    int columnCount() const;
    int columnWidth(int index) const;  // 0 for a column that does not exist
    DString columnTitle(int index) const;
    // Ignored for a column that does not exist; redraws.
    void setColumnWidth(int index, int columnWidth);
    const DStringList& getWidths() const { return *widths; }
    void setScroll(int pixels);
    int getScroll() const { return scroll; }

    void onDestroy() override;
    void paint() override;

    // A group of column headers, one part per column.
    DAccessibleInfo accessibleInfo() const override;
    int accessiblePartCount() const override { return columnCount(); }
    DAccessibleInfo accessiblePart(int index) const override;

private:
    DStringList* titles;  // owned
    DStringList* widths;  // owned: decimal texts
    int scroll = 0;
};
