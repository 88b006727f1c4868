#include "applet_data.h"

namespace {

std::string TItemData::* const kItemFields[TItemData::FieldCount] = {
    &TItemData::ICaption, &TItemData::ILink,  &TItemData::ITarget,
    &TItemData::IContent, &TItemData::ILevel, &TItemData::IReserved,
};

}  // namespace

std::string& TAppletData::Field(int i) { return this->*kAppletFields[static_cast<size_t>(i)].member; }
const std::string& TAppletData::Field(int i) const { return this->*kAppletFields[static_cast<size_t>(i)].member; }
std::string& TItemData::Field(int i) { return this->*kItemFields[i]; }
const std::string& TItemData::Field(int i) const { return this->*kItemFields[i]; }

TAppletData DefaultAppletData() {
  const std::string fonts = "Ms Sans Serif,Georgia,Helvetica,Arial";
  TAppletData d;
  d.pDelay = "1000";
  d.pWidth = "240";
  d.pHeight = "120";
  d.pBorderWidth = "1";
  d.pBorderStyle = "3";
  d.pBorderColor = "000000";
  d.pPadding = "5";
  d.pBackgroundColor = "FFFFFF";
  d.pZIndex = "1000";
  d.pCursor = "6";
  d.pTitleFontFamily = fonts;
  d.pTitleAlign = "0";
  d.pTitleColor = "000000";
  d.pTitlePadding = "2";
  d.pTitleSize = "14";
  d.pTitleBold = "1";
  d.pTitleItalic = "0";
  d.pContentFontFamily = fonts;
  d.pContentAlign = "0";
  d.pContentColor = "000000";
  d.pContentPadding = "2";
  d.pContentSize = "14";
  d.pContentBold = "0";
  d.pContentItalic = "0";
  d.pInternalUse_RootDir_Local = "";
  d.pInternalUse_RootDir_Remote = "";
  d.pInternalUse_RootDir_Local_Checked = "1";
  return d;
}

TItemData DefaultItemData() {
  TItemData item;
  item.ICaption = "News Title";
  item.ILink = "";
  item.ITarget = "_self";
  item.IContent = "Content here ...";
  return item;
}
