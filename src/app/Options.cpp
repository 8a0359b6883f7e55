// SPDX-License-Identifier: GPL-3.0-or-later
// Loading and saving the options record, and the text forms of fonts and colours.
#include "app/Options.h"

#include <wx/config.h>
#include <wx/filefn.h>
#include <wx/tokenzr.h>

#include <cmath>
#include <deque>

MneOptions Options;

namespace
{
// Points the deck at the options record before anything reads it.
const struct DeckSettingsLink
{
    DeckSettingsLink() { CurrentDeckSettings = &Options; }
} LinkDeckSettings;

// What the program can use of each number in the store.
constexpr int MaxCardIncrement = 1000000;
constexpr int MaxAnswerCount = 1000000;
constexpr int MaxPageLayouts = 1000;
constexpr int MaxCells = 100;
constexpr double MinPaperInches = 1;
constexpr double MaxInches = 100;

// The numbers a font is stored with. The toolkit rewrites some of them (GTK derives the family
// from the face, reports numeric weights and a UTF-8 encoding), so the numbers a font was read
// with are remembered and written back unchanged.
struct FontNumbers
{
    int size;
    int family;
    int style;
    int weight;
    int underlined;
    wxString face;
    int encoding;
};

std::deque<std::pair<wxFont, FontNumbers>>& KnownFonts()
{
    static std::deque<std::pair<wxFont, FontNumbers>> fonts;
    return fonts;
}

void RememberFont(const wxFont& font, const FontNumbers& numbers)
{
    auto& fonts = KnownFonts();
    fonts.emplace_front(font, numbers);
    if (fonts.size() > 16)
        fonts.pop_back();
}

wxFont DefaultCardFont()
{
    wxFont font;
    StringToFont(font, "10, 70, 90, 90, 0, Arial, 0");
    return font;
}

// Splits at every comma and drops the leading white space of each piece.
wxArrayString SplitPieces(const wxString& text)
{
    wxArrayString pieces = wxStringTokenize(text, ",", wxTOKEN_RET_EMPTY_ALL);
    for (wxString& piece : pieces)
        piece.Trim(false);
    return pieces;
}

bool ParseNumber(const wxArrayString& pieces, size_t index, long& value)
{
    return index < pieces.size() && !pieces[index].empty() && pieces[index].ToLong(&value, 10);
}

wxFontWeight WeightFromStored(int weight)
{
    if (weight == 91)
        return wxFONTWEIGHT_LIGHT;
    if (weight == 92)
        return wxFONTWEIGHT_BOLD;
    return wxFONTWEIGHT_NORMAL;
}

int StoredFromWeight(int numericWeight)
{
    if (numericWeight <= 350)
        return 91;
    if (numericWeight >= 600)
        return 92;
    return 90;
}

void ReadFont(wxConfigBase* config, const wxString& key, wxFont& font)
{
    wxString text;
    if (!config->Read(key, &text) || !StringToFont(font, text))
        font = DefaultCardFont();
}

void ReadColour(wxConfigBase* config, const wxString& key, wxColour& colour,
                const wxColour& fallback)
{
    wxString text;
    if (!config->Read(key, &text) || !StringToColour(colour, text))
        colour = fallback;
}

wxString LayoutKey(size_t index, const char* field)
{
    return wxString::Format("PrintPageLayout%d\\", static_cast<int>(index)) + field;
}

// True when the store holds any key of layout `index`.
bool IsLayoutStored(wxConfigBase* config, size_t index)
{
    for (const char* field :
         {"Name", "Width", "Height", "LeftMargin", "RightMargin", "TopMargin", "BottomMargin",
          "HorizontalSpacing", "VerticalSpacing", "NumColumns", "NumRows"})
        if (config->HasEntry(LayoutKey(index, field)))
            return true;
    return false;
}

// An integer setting within [low, high]: a number outside is moved to the nearer end, and text
// that is no number at all gives the default.
int ReadInteger(wxConfigBase* config, const wxString& key, int fallback, int low, int high)
{
    wxString text;
    wxLongLong_t value = 0;
    if (!config->Read(key, &text) || !text.Trim().Trim(false).ToLongLong(&value))
    {
        // Beyond the range of any integer type, only the sign still says which end is meant.
        if (!text.empty() && text.find_first_not_of("+-0123456789") == wxString::npos &&
            text.length() > 1)
            return text[0] == '-' ? low : high;
        return fallback;
    }
    return value < low ? low : value > high ? high : static_cast<int>(value);
}

// A length or size in inches within [low, high]; not a number, or not a finite one, gives the
// default.
double ReadLength(wxConfigBase* config, const wxString& key, double fallback, double low,
                  double high)
{
    double value = fallback;
    if (!config->Read(key, &value, fallback) || !std::isfinite(value))
        return fallback;
    return value < low ? low : value > high ? high : value;
}

PageLayout BuiltInLayout(const wxString& name, double width, double height, double spacing,
                         int columns, int rows)
{
    PageLayout layout;
    layout.Name = name;
    layout.Width = width;
    layout.Height = height;
    layout.LeftMargin = layout.RightMargin = layout.TopMargin = layout.BottomMargin = 0.5;
    layout.HorizontalSpacing = layout.VerticalSpacing = spacing;
    layout.NumColumns = columns;
    layout.NumRows = rows;
    return layout;
}
} // namespace

void AddDefaultPageLayouts()
{
    Options.PageLayouts.push_back(
        BuiltInLayout("8.5\" x 11\" Letter - 2 by 4 cards", 8.5, 11, 0.2, 2, 4));
    Options.PageLayouts.push_back(
        BuiltInLayout("8.5\" x 11\" Letter - 4 by 8 cards", 8.5, 11, 0.2, 4, 8));
    Options.PageLayouts.push_back(BuiltInLayout("6\" x 4\" Index Card", 6, 4, 0, 1, 1));
}

void LoadOptions()
{
    wxConfigBase* config = wxConfigBase::Get();
    long mode = tmLearn;
    config->Read("StudyMode", &mode, static_cast<long>(tmLearn));
    // A damaged or hand-edited mode would stop the study panel: fall back to Learn.
    Options.TestMode = (mode >= tmLearn && mode <= tmQuiz) ? static_cast<int>(mode) : tmLearn;
    config->Read("PlaySounds", &Options.PlaySounds, true);
    config->Read("KeepScore", &Options.KeepScore, true);
    config->Read("ShuffleCards", &Options.ShuffleCards, true);
    config->Read("SwapQuestionAnswer", &Options.SwapQuestionAnswer, false);
    config->Read("ShowTimer", &Options.ShowTimer, false);
    ReadFont(config, "CardFont", Options.CardFont);
    ReadColour(config, "CardFontColor", Options.CardFontColor, *wxBLACK);
    ReadColour(config, "CardBackground", Options.CardBackground, *wxWHITE);
    Options.CardIncrement = ReadInteger(config, "CardIncrement", 3, 1, MaxCardIncrement);
    Options.MinAnswerCount = ReadInteger(config, "MinAnswerCount", 2, 0, MaxAnswerCount);
    Options.MinScore = ReadInteger(config, "MinScore", 80, 0, 100);
    config->Read("DataDirectory", &Options.DataDirectory, wxGetCwd());
    Options.KeepBackups = ReadInteger(config, "KeepBackups", 10, 0, 100);
    Options.PrintPageLayout = ReadInteger(config, "PrintPageLayout", 0, 0, MaxPageLayouts);
    const int count = ReadInteger(config, "PrintPageLayoutCount", 0, 0, MaxPageLayouts);

    // Fields missing from a stored layout take the values of the first built-in one, so that a
    // damaged entry still describes a printable page.
    Options.PageLayouts.clear();
    AddDefaultPageLayouts();
    const PageLayout fallback = Options.PageLayouts.front();
    Options.PageLayouts.clear();
    // The count may claim more layouts than are stored: the first one missing ends the list.
    for (int i = 0; i < count && IsLayoutStored(config, size_t(i)); ++i)
    {
        PageLayout layout;
        const auto length = [&](const char* field, double value, double low)
        { return ReadLength(config, LayoutKey(size_t(i), field), value, low, MaxInches); };
        config->Read(LayoutKey(size_t(i), "Name"), &layout.Name, wxString());
        layout.Width = length("Width", fallback.Width, MinPaperInches);
        layout.Height = length("Height", fallback.Height, MinPaperInches);
        layout.LeftMargin = length("LeftMargin", fallback.LeftMargin, 0);
        layout.RightMargin = length("RightMargin", fallback.RightMargin, 0);
        layout.TopMargin = length("TopMargin", fallback.TopMargin, 0);
        layout.BottomMargin = length("BottomMargin", fallback.BottomMargin, 0);
        layout.HorizontalSpacing = length("HorizontalSpacing", fallback.HorizontalSpacing, 0);
        layout.VerticalSpacing = length("VerticalSpacing", fallback.VerticalSpacing, 0);
        layout.NumColumns = ReadInteger(config, LayoutKey(size_t(i), "NumColumns"),
                                        fallback.NumColumns, 1, MaxCells);
        layout.NumRows =
            ReadInteger(config, LayoutKey(size_t(i), "NumRows"), fallback.NumRows, 1, MaxCells);
        // Keys added after the first eleven: a store without them prints as before.
        layout.BackOffsetX = ReadLength(config, LayoutKey(size_t(i), "BackOffsetX"), 0,
                                        -MaxBackOffset, MaxBackOffset);
        layout.BackOffsetY = ReadLength(config, LayoutKey(size_t(i), "BackOffsetY"), 0,
                                        -MaxBackOffset, MaxBackOffset);
        layout.FlipShortEdge = ReadInteger(config, LayoutKey(size_t(i), "FlipShortEdge"), 0, 0, 1);
        layout.CutMarks = ReadInteger(config, LayoutKey(size_t(i), "CutMarks"), 0, 0, 1);
        Options.PageLayouts.push_back(layout);
    }
    if (Options.PageLayouts.empty())
        AddDefaultPageLayouts();
    if (Options.PrintPageLayout < 0 ||
        Options.PrintPageLayout >= static_cast<int>(Options.PageLayouts.size()))
        Options.PrintPageLayout = 0;

    ReadFont(config, "PrintCardFont", Options.PrintCardFont);
    ReadColour(config, "PrintCardFontColor", Options.PrintCardFontColor, *wxBLACK);
    Options.PrintCardLeftMargin = ReadLength(config, "PrintCardLeftMargin", 0.2, 0, MaxInches);
    Options.PrintCardRightMargin = ReadLength(config, "PrintCardRightMargin", 0.2, 0, MaxInches);
    Options.PrintCardTopMargin = ReadLength(config, "PrintCardTopMargin", 0.2, 0, MaxInches);
    Options.PrintCardBottomMargin = ReadLength(config, "PrintCardBottomMargin", 0.2, 0, MaxInches);
}

void SaveOptions()
{
    wxConfigBase* config = wxConfigBase::Get();
    config->Write("StudyMode", static_cast<long>(Options.TestMode));
    config->Write("PlaySounds", Options.PlaySounds);
    config->Write("KeepScore", Options.KeepScore);
    config->Write("ShuffleCards", Options.ShuffleCards);
    config->Write("SwapQuestionAnswer", Options.SwapQuestionAnswer);
    config->Write("ShowTimer", Options.ShowTimer);
    config->Write("CardFont", FontToString(Options.CardFont));
    config->Write("CardFontColor", ColourToString(Options.CardFontColor));
    config->Write("CardBackground", ColourToString(Options.CardBackground));
    config->Write("CardIncrement", static_cast<long>(Options.CardIncrement));
    config->Write("MinAnswerCount", static_cast<long>(Options.MinAnswerCount));
    config->Write("MinScore", static_cast<long>(Options.MinScore));
    config->Write("DataDirectory", Options.DataDirectory);
    config->Write("KeepBackups", static_cast<long>(Options.KeepBackups));
    config->Write("PrintPageLayout", static_cast<long>(Options.PrintPageLayout));
    config->Write("PrintPageLayoutCount", static_cast<long>(Options.PageLayouts.size()));
    for (size_t i = 0; i < Options.PageLayouts.size(); ++i)
    {
        const PageLayout& layout = Options.PageLayouts[i];
        config->Write(LayoutKey(size_t(i), "Name"), layout.Name);
        config->Write(LayoutKey(i, "Width"), layout.Width);
        config->Write(LayoutKey(i, "Height"), layout.Height);
        config->Write(LayoutKey(i, "LeftMargin"), layout.LeftMargin);
        config->Write(LayoutKey(i, "RightMargin"), layout.RightMargin);
        config->Write(LayoutKey(i, "TopMargin"), layout.TopMargin);
        config->Write(LayoutKey(i, "BottomMargin"), layout.BottomMargin);
        config->Write(LayoutKey(i, "HorizontalSpacing"), layout.HorizontalSpacing);
        config->Write(LayoutKey(i, "VerticalSpacing"), layout.VerticalSpacing);
        config->Write(LayoutKey(size_t(i), "NumColumns"), static_cast<long>(layout.NumColumns));
        config->Write(LayoutKey(size_t(i), "NumRows"), static_cast<long>(layout.NumRows));
        // Every digit, so that an offset from an alignment sheet comes back exactly.
        config->Write(LayoutKey(i, "BackOffsetX"), wxString::FromCDouble(layout.BackOffsetX, 17));
        config->Write(LayoutKey(i, "BackOffsetY"), wxString::FromCDouble(layout.BackOffsetY, 17));
        config->Write(LayoutKey(i, "FlipShortEdge"), static_cast<long>(layout.FlipShortEdge));
        config->Write(LayoutKey(i, "CutMarks"), static_cast<long>(layout.CutMarks));
    }
    config->Write("PrintCardFont", FontToString(Options.PrintCardFont));
    config->Write("PrintCardFontColor", ColourToString(Options.PrintCardFontColor));
    config->Write("PrintCardLeftMargin", Options.PrintCardLeftMargin);
    config->Write("PrintCardRightMargin", Options.PrintCardRightMargin);
    config->Write("PrintCardTopMargin", Options.PrintCardTopMargin);
    config->Write("PrintCardBottomMargin", Options.PrintCardBottomMargin);
    config->Flush();
}

wxString FontToString(const wxFont& font)
{
    for (const auto& known : KnownFonts())
    {
        if (known.first.IsOk() && font.IsOk() && known.first == font)
        {
            const FontNumbers& n = known.second;
            return wxString::Format("%d, %d, %d, %d, %d, %s, %d", n.size, n.family, n.style,
                                    n.weight, n.underlined, n.face, n.encoding);
        }
    }
    if (!font.IsOk())
        return "10, 70, 90, 90, 0, , 0";
    int encoding = font.GetEncoding();
    // GTK renders every font through UTF-8 and reports that for all of them.
    if (encoding >= 87 || encoding < 0 || encoding == wxFONTENCODING_UTF8)
        encoding = 0;
    return wxString::Format("%d, %d, %d, %d, %d, %s, %d", font.GetPointSize(),
                            static_cast<int>(font.GetFamily()), static_cast<int>(font.GetStyle()),
                            StoredFromWeight(font.GetNumericWeight()), font.GetUnderlined() ? 1 : 0,
                            font.GetFaceName(), encoding);
}

bool StringToFont(wxFont& font, const wxString& text)
{
    const wxArrayString pieces = SplitPieces(text);
    long size = 0, family = 0, style = 0, weight = 0, underlined = 0, encoding = 0;
    const bool parsed = ParseNumber(pieces, 0, size) && ParseNumber(pieces, 1, family) &&
                        ParseNumber(pieces, 2, style) && ParseNumber(pieces, 3, weight) &&
                        ParseNumber(pieces, 4, underlined) && pieces.size() > 5 &&
                        ParseNumber(pieces, 6, encoding);
    // A size the toolkit cannot build a font from counts as unreadable, like any other garbage.
    if (!parsed || size <= 0 || size > 1000)
    {
        font = wxFont(wxFontInfo(10).Family(wxFONTFAMILY_DEFAULT));
        return false;
    }
    if (encoding < 0 || encoding > 86)
        encoding = 0;
    if (family < wxFONTFAMILY_DEFAULT || family > wxFONTFAMILY_TELETYPE)
        family = wxFONTFAMILY_DEFAULT;
    wxFontInfo info(static_cast<int>(size));
    info.Family(static_cast<wxFontFamily>(family))
        .Style(style == wxFONTSTYLE_ITALIC  ? wxFONTSTYLE_ITALIC
               : style == wxFONTSTYLE_SLANT ? wxFONTSTYLE_SLANT
                                            : wxFONTSTYLE_NORMAL)
        .Weight(WeightFromStored(static_cast<int>(weight)))
        .Underlined(underlined != 0)
        .FaceName(pieces[5])
        .Encoding(static_cast<wxFontEncoding>(encoding));
    font = wxFont(info);
    RememberFont(font, FontNumbers{static_cast<int>(size), static_cast<int>(family),
                                   static_cast<int>(font.GetStyle()),
                                   StoredFromWeight(font.GetNumericWeight()),
                                   underlined != 0 ? 1 : 0, pieces[5], static_cast<int>(encoding)});
    return true;
}

wxString ColourToString(const wxColour& colour)
{
    return wxString::Format("%d, %d, %d", colour.Red(), colour.Green(), colour.Blue());
}

bool StringToColour(wxColour& colour, const wxString& text)
{
    const wxArrayString pieces = SplitPieces(text);
    long rgb[3] = {0, 0, 0};
    for (size_t i = 0; i < 3; ++i)
    {
        if (!ParseNumber(pieces, i, rgb[i]))
        {
            colour = *wxWHITE;
            return false;
        }
        rgb[i] = ((rgb[i] % 256) + 256) % 256;
    }
    colour = wxColour(static_cast<unsigned char>(rgb[0]), static_cast<unsigned char>(rgb[1]),
                      static_cast<unsigned char>(rgb[2]));
    return true;
}
