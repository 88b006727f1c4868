#pragma once
// The project's plain records: 27 applet parameters and the six fields of a
// news item, all held as bytes exactly as the user or a file gave them.

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

// The box a new project starts with.
TAppletData DefaultAppletData();
// The item that Insert adds.
TItemData DefaultItemData();
