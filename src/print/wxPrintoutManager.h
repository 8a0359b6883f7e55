// SPDX-License-Identifier: GPL-3.0-or-later
// The base of the card printouts: the page's coordinate system and the paging, with each page's
// starting point remembered so that any page is laid out once.
#ifndef MNEMORA_PRINT_WXPRINTOUTMANAGER_H
#define MNEMORA_PRINT_WXPRINTOUTMANAGER_H

#include <wx/dc.h>
#include <wx/print.h>

#include <vector>

#include "print/PageGrid.h"

/// A printout of the deck whose subclasses place the cards of one page.
class wxPrintoutManager : public wxPrintout
{
public:
    /// title is the deck's file name with extension, " - " and kind. fineness multiplies the
    /// logical units per inch.
    explicit wxPrintoutManager(const wxString& kind, int fineness = 1);

    /// True in the preview: the scale follows the size of the device context.
    bool ScaleToDevice = false;
    /// The device context of the page being laid out.
    wxDC* Dc = nullptr;
    /// Number of the page being laid out, from 1.
    int CurrentPage = 1;
    /// Number of pages, as last counted.
    int PageCount = 1;
    /// Logical units per inch across and down (the screen's resolution).
    int UnitsX = 96;
    int UnitsY = 96;

    void OnPreparePrinting() override;
    bool HasPage(int page) override;
    bool OnPrintPage(int page) override;
    void GetPageInfo(int* minPage, int* maxPage, int* pageFrom, int* pageTo) override;

    /// Goes back to the first card.
    virtual void ResetLayout() { MoveTo(GridPosition{}); }
    /// Lays out the next page, drawing it when draw is true; true when another page follows.
    /// Pen, brush and card font are chosen once for all of the page's cells.
    virtual bool LayoutPage(bool draw);

protected:
    /// Sets the user scale and origin so that logical units count UnitsX per inch from the
    /// paper's corner; called at the start of every LayoutPage.
    void SetupPage();
    /// Moves the page being drawn by the layout's back offset and, for the short flip edge,
    /// turns it about the paper's centre; called after SetupPage on back pages only.
    void PlaceBackPage(const PageLayout& layout);
    /// Where the layout stands now.
    virtual GridPosition Position() const = 0;
    /// Continues the layout from position.
    virtual void MoveTo(const GridPosition& position) = 0;
    /// The cells of the next page from position on; moves position past the placed cards. With
    /// draw true it also draws what the page holds besides its cells.
    virtual std::vector<GridCell> PlaceCells(const PageLayout& layout, GridPosition& position,
                                             bool draw) = 0;
    /// Width of one cell in inches.
    virtual double CellWidth(const PageLayout& layout) const;
    /// Lays out (and with draw true draws) one cell: its outline and its card side.
    virtual void DrawCell(const PageLayout& layout, const GridCell& cell, bool draw);
    /// The page gets cut marks when its layout asks for them.
    virtual bool HasCutMarks() const { return false; }

private:
    /// What the page count depends on besides the deck: the device and the page in pixels.
    struct Device
    {
        wxSize Size;
        wxSize PageSize;
        wxSize PrinterPpi;
        wxSize ScreenPpi;
        bool operator==(const Device& other) const
        {
            return Size == other.Size && PageSize == other.PageSize &&
                   PrinterPpi == other.PrinterPpi && ScreenPpi == other.ScreenPpi;
        }
    };
    Device CurrentDevice() const;
    /// Draws the cut marks of the page's cells in black.
    void DrawCutMarks(const PageLayout& layout, const std::vector<GridCell>& cells);

    const int m_fineness;
    std::vector<GridPosition> m_pageStarts;
    Device m_countedFor;
    /// What SetupPage chose: the device origin and the device pixels per inch.
    wxPoint m_origin;
    wxSize m_resolution;
};

#endif
