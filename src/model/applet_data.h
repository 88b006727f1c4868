#pragma once
// The project's plain records: 27 applet parameters and the six fields of a
// news item, all held as bytes exactly as the user or a file gave them.

#include <array>
#include <string>
#include <vector>

using TStringArray = std::vector<std::string>;

struct TAppletData {
  std::string pDelay;
  std::string pWidth;
  std::string pHeight;
  std::string pBorderWidth;
  std::string pBorderStyle;
  std::string pBorderColor;
  std::string pPadding;
  std::string pBackgroundColor;
  std::string pZIndex;
  std::string pCursor;
  std::string pTitleFontFamily;
  std::string pTitleAlign;
  std::string pTitleColor;
  std::string pTitlePadding;
  std::string pTitleSize;
  std::string pTitleBold;
  std::string pTitleItalic;
  std::string pContentFontFamily;
  std::string pContentAlign;
  std::string pContentColor;
  std::string pContentPadding;
  std::string pContentSize;
  std::string pContentBold;
  std::string pContentItalic;
  std::string pInternalUse_RootDir_Local;
  std::string pInternalUse_RootDir_Remote;
  std::string pInternalUse_RootDir_Local_Checked;

  static constexpr int FieldCount = 27;
  // Field i in the order of the project file's applet line.
  std::string& Field(int i);
  const std::string& Field(int i) const;
  bool operator==(const TAppletData&) const = default;
};

struct TItemData {
  std::string ICaption;
  std::string ILink;
  std::string ITarget;
  std::string IContent;
  std::string ILevel;
  std::string IReserved;

  static constexpr int FieldCount = 6;
  // Width of an item in the project file: the six fields and 14 empty ones.
  static constexpr int FlatWidth = 20;
  std::string& Field(int i);
  const std::string& Field(int i) const;
  bool operator==(const TItemData&) const = default;
};

using TItemArray = std::vector<TItemData>;

// What a box field holds, which decides how it is checked and shown.
enum class TAppletFieldKind {
  Number,     // a whole number
  List,       // a position in a fixed list
  Colour,     // six hex digits
  Text,       // free text
  Toggle,     // "1" or "0"
  RootChoice  // "1": local root, "0": web root
};

// One box field, described once: where TAppletData keeps it, the name a user
// reads (the label of its control, and of its undo steps), its kind, the
// objectName of the control that edits it, and whether the generator puts
// it into the box line alone (changing it leaves every item line as it was).
struct TAppletFieldInfo {
  std::string TAppletData::* member;
  const char* label;
  TAppletFieldKind kind;
  const char* control;
  bool boxLine;
};

// The box fields in the order of the project file's applet line; this order
// is TAppletData::Field's. A new field is added here and nowhere else.
inline constexpr std::array<TAppletFieldInfo, TAppletData::FieldCount> kAppletFields{{
    {&TAppletData::pDelay, "Delay", TAppletFieldKind::Number, "spnedtpDelay", true},
    {&TAppletData::pWidth, "Width", TAppletFieldKind::Number, "spnedtpWidth", true},
    {&TAppletData::pHeight, "Height", TAppletFieldKind::Number, "spnedtpHeight", true},
    {&TAppletData::pBorderWidth, "Border Width", TAppletFieldKind::Number, "spnedtpBorderWidth", true},
    {&TAppletData::pBorderStyle, "Border Style", TAppletFieldKind::List, "cmbxpBorderStyle", true},
    {&TAppletData::pBorderColor, "Border Color", TAppletFieldKind::Colour, "pnlpBorderColor", true},
    {&TAppletData::pPadding, "Padding", TAppletFieldKind::Number, "spnedtpPadding", true},
    {&TAppletData::pBackgroundColor, "Background Color", TAppletFieldKind::Colour, "pnlpBackgroundColor", true},
    {&TAppletData::pZIndex, "Z-Index", TAppletFieldKind::Number, "spnedtpZIndex", true},
    {&TAppletData::pCursor, "Cursor", TAppletFieldKind::List, "cmbxpCursor", true},
    {&TAppletData::pTitleFontFamily, "Title Font", TAppletFieldKind::Text, "edtpTitleFontFamily", false},
    {&TAppletData::pTitleAlign, "Title Align", TAppletFieldKind::List, "cmbxpTitleAlign", false},
    {&TAppletData::pTitleColor, "Title Color", TAppletFieldKind::Colour, "pnlpTitleColor", false},
    {&TAppletData::pTitlePadding, "Title Padding", TAppletFieldKind::Number, "spnedtpTitlePadding", false},
    {&TAppletData::pTitleSize, "Title Size", TAppletFieldKind::Number, "spnedtpTitleSize", false},
    {&TAppletData::pTitleBold, "Title Bold", TAppletFieldKind::Toggle, "spdbtnpTitleBold", false},
    {&TAppletData::pTitleItalic, "Title Italic", TAppletFieldKind::Toggle, "spdbtnpTitleItalic", false},
    {&TAppletData::pContentFontFamily, "Content Font", TAppletFieldKind::Text, "edtpContentFontFamily", false},
    {&TAppletData::pContentAlign, "Content Align", TAppletFieldKind::List, "cmbxpContentAlign", false},
    {&TAppletData::pContentColor, "Content Color", TAppletFieldKind::Colour, "pnlpContentColor", false},
    {&TAppletData::pContentPadding, "Content Padding", TAppletFieldKind::Number, "spnedtpContentPadding", false},
    {&TAppletData::pContentSize, "Content Size", TAppletFieldKind::Number, "spnedtpContentSize", false},
    {&TAppletData::pContentBold, "Content Bold", TAppletFieldKind::Toggle, "spdbtnpContentBold", false},
    {&TAppletData::pContentItalic, "Content Italic", TAppletFieldKind::Toggle, "spdbtnpContentItalic", false},
    {&TAppletData::pInternalUse_RootDir_Local, "Local Root Directory", TAppletFieldKind::Text,
     "edtpInternalUse_RootDir_Local", false},
    {&TAppletData::pInternalUse_RootDir_Remote, "Web Root Directory", TAppletFieldKind::Text,
     "edtpInternalUse_RootDir_Remote", false},
    {&TAppletData::pInternalUse_RootDir_Local_Checked, "Path Replacement", TAppletFieldKind::RootChoice, "tbshtPath",
     false},
}};

// The names a user reads of the item fields, in TItemData::Field's order.
inline constexpr std::array<const char*, TItemData::FieldCount> kItemFieldLabels{
    "Title", "Link", "Target", "Content", "Level", "Reserved"};

// The box a new project starts with.
TAppletData DefaultAppletData();
// The item that Insert adds.
TItemData DefaultItemData();
