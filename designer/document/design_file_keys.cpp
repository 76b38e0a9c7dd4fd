// SPDX-License-Identifier: GPL-3.0-or-later
#include "designer/document/design_file.h"

namespace vm::design {

namespace {

using F = WrittenForm;
using R = Reading;

// The file order is the format: line n always holds the same property.
constexpr std::array<FileKey, FileLineCount> Keys{{
    {1, u"Label2.Caption", u"top line text", F::Text, R::Text},
    {2, u"Label2.FontName", u"top line font", F::Text, R::Text},
    {3, u"Label2.FontSize", u"top line size", F::Single, R::LeadingNumber},
    {4, u"Label2.ForeColor", u"top line colour", F::Int32, R::Strict32},
    {5, u"Label3.Caption", u"bottom line text", F::Text, R::Text},
    {6, u"Label3.FontName", u"bottom line font", F::Text, R::Text},
    {7, u"Label3.FontSize", u"bottom line size", F::Single, R::LeadingNumber},
    {8, u"Label3.ForeColor", u"bottom line colour", F::Int32, R::Strict32},
    {9, u"Shape1.BackColor", u"background colour", F::Int32, R::Strict32},
    {10, u"Line1.BorderWidth", u"rule thickness", F::Int16, R::LeadingRounded16},
    {11, u"Line1.BorderColor", u"rule colour", F::Int32, R::Strict32},
    {12, u"Check1.Value", u"hide the top rule", F::Int16, R::LeadingRounded16},
    {13, u"Check2.Value", u"hide the bottom rule", F::Int16, R::LeadingRounded16},
    {14, u"PIXFLN.Caption", u"main picture file", F::Text, R::Text},
    {15, u"Image1.Height", u"main picture height", F::Single, R::LeadingNumber},
    {16, u"Image1.Width", u"main picture width", F::Single, R::LeadingNumber},
    {17, u"Label30.Caption", u"logo 1 file", F::Text, R::Text},
    {18, u"LOGO2FLN.Caption", u"logo 2 file", F::Text, R::Text},
    {19, u"Check5.Value", u"show the outer box", F::Int16, R::Strict16},
    {20, u"Text10.Text", u"box thickness", F::Text, R::Text},
    {21, u"Shape2.BorderColor", u"box colour", F::Int32, R::Strict32},
    {22, u"Check7.Value", u"show the titles", F::Int16, R::Strict16},
    {23, u"Check6.Value", u"small lower block", F::Int16, R::Strict16},
    {24, u"Label10.FontName", u"titles font", F::Text, R::Text},
    {25, u"Label10.FontSize", u"titles size", F::Single, R::StrictSingle},
    {26, u"Label10.ForeColor", u"titles colour", F::Int32, R::Strict32},
    {27, u"Check8.Value", u"black lower block", F::Int16, R::Strict16},
    {28, u"Label4.Caption", u"title 1", F::Text, R::Text},
    {29, u"Label5.Caption", u"title 2", F::Text, R::Text},
    {30, u"Label6.Caption", u"title 3", F::Text, R::Text},
    {31, u"Label7.Caption", u"title 4", F::Text, R::Text},
    {32, u"Label8.Caption", u"title 5", F::Text, R::Text},
    {33, u"Label9.Caption", u"title 6", F::Text, R::Text},
    {34, u"Label10.Caption", u"title 7", F::Text, R::Text},
    {35, u"Label11.Caption", u"title 8", F::Text, R::Text},
    {36, u"Label12.Caption", u"title 9", F::Text, R::Text},
    {37, u"Label13.Caption", u"title 10", F::Text, R::Text},
    {38, u"Label14.Caption", u"title 11", F::Text, R::Text},
    {39, u"Label15.Caption", u"title 12", F::Text, R::Text},
    {40, u"Label16.Caption", u"title 13", F::Text, R::Text},
    {41, u"Label17.Caption", u"title 14", F::Text, R::Text},
    {42, u"Label18.Caption", u"title 15", F::Text, R::Text},
    {43, u"Label19.Caption", u"title 16", F::Text, R::Text},
    {44, u"Label20.Caption", u"title 17", F::Text, R::Text},
    {45, u"Label21.Caption", u"title 18", F::Text, R::Text},
    {46, u"Label22.Caption", u"title 19", F::Text, R::Text},
    {47, u"Label23.Caption", u"title 20", F::Text, R::Text},
    {48, u"Label24.Caption", u"publisher line", F::Text, R::Text},
    {49, u"Label25.Caption", u"producer line", F::Text, R::Text},
    {50, u"Label26.Caption", u"engineer line", F::Text, R::Text},
    {51, u"Label27.Caption", u"lower information text", F::Text, R::Text},
    {52, u"Text5.Text", u"top line up-down position", F::Text, R::Text},
    {53, u"Text6.Text", u"top line left-right position", F::Text, R::Text},
    {54, u"Text4.Text", u"bottom line up-down position", F::Text, R::Text},
    {55, u"Text9.Text", u"bottom line left-right position", F::Text, R::Text},
    {56, u"Check9.Value", u"post the copyright notice", F::Int16, R::Strict16},
    {57, u"Check10.Value", u"add the phonorecord mark", F::Int16, R::Strict16},
    {58, u"Check11.Value", u"black copyright notice", F::Int16, R::Strict16},
    {59, u"Text11.Text", u"copyright year", F::Text, R::Text},
    {60, u"Text12.Text", u"copyright holder", F::Text, R::Text},
    {61, u"Check13.Value", u"centre the top line", F::Int16, R::Strict16},
    {62, u"Check14.Value", u"centre the bottom line", F::Int16, R::Strict16},
    {63, u"Check15.Value", u"centre the lower block", F::Int16, R::Strict16},
    {64, u"Option1.Value", u"front cover chosen", F::Truth, R::StrictTruth},
    {65, u"Option4.Value", u"back cover chosen", F::Truth, R::StrictTruth},
    {66, u"Check3.Value", u"box around the top line", F::Int16, R::Strict16},
    {67, u"Check4.Value", u"box around the bottom line", F::Int16, R::Strict16},
    {68, u"Label2.FontBold", u"top line bold", F::Truth, R::StrictTruth},
    {69, u"Label2.FontItalic", u"top line italic", F::Truth, R::StrictTruth},
    {70, u"Label2.FontStrikethru", u"top line strikethrough", F::Truth, R::StrictTruth},
    {71, u"Label2.FontUnderline", u"top line underline", F::Truth, R::StrictTruth},
    {72, u"Label3.FontBold", u"bottom line bold", F::Truth, R::StrictTruth},
    {73, u"Label3.FontItalic", u"bottom line italic", F::Truth, R::StrictTruth},
    {74, u"Label3.FontStrikethru", u"bottom line strikethrough", F::Truth, R::StrictTruth},
    {75, u"Label3.FontUnderline", u"bottom line underline", F::Truth, R::StrictTruth},
}};

constexpr bool inFileOrder()
{
    for (int i = 0; i < FileLineCount; ++i) {
        if (Keys[i].line != i + 1)
            return false;
    }
    return true;
}
static_assert(inFileOrder(), "the keys must stand in file order");

} // namespace

const std::array<FileKey, FileLineCount> &fileKeys()
{
    return Keys;
}

} // namespace vm::design
