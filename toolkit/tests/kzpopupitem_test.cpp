#include "toolkit/kzpopupitem.h"

#include <gtest/gtest.h>

#include <string>

#include "toolkit/tests/kztestbed.h"

using KZPopUpItemTest = KZFrameworkTest;

TEST_F(KZPopUpItemTest, MenuTextsGiveHotKeysAndShownTexts) {
  struct Case {
    const char16_t* menuText;
    uint32_t hotKey;
    const char16_t* shown;
    char16_t mnemonic;
  } cases[] = {
      {u"&Open,CO", KZPopUpItem::kCtrl | u'O', u"Open\tCtrl+O", u'O'},
      {u"&Print,P", KZPopUpItem::kCtrl | u'P', u"Print\tCtrl+P", u'P'},
      {u"&Find,SF", KZPopUpItem::kCtrl | KZPopUpItem::kShift | u'F', u"Find\tShift+Ctrl+F", u'F'},
      {u"&New,AN", KZPopUpItem::kAlt | u'N', u"New\tAlt+N", u'N'},
      {u"Odd,XCQ", KZPopUpItem::kCtrl | u'Q', u"Odd\tCtrl+Q", 0},
      {u"&Plain", 0, u"Plain", u'P'},
      {u"Empty,", 0, u"Empty", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(
        std::string(c.menuText, c.menuText + std::char_traits<char16_t>::length(c.menuText)));
    KZPopUpItem item(7, c.menuText, ZAF_ITEM_ORDINARY);
    EXPECT_EQ(item.HotKey(), c.hotKey);
    EXPECT_EQ(std::u16string(item.ZafPopUpItem::Text()), c.shown);
    EXPECT_EQ(item.HotKeyChar(), c.mnemonic);
    EXPECT_EQ(item.Value(), 7);
  }
}

TEST_F(KZPopUpItemTest, NewLabelOrHotKeyRebuildsTheShownText) {
  KZPopUpItem item(0, 0, u"&Close", ZAF_ITEM_ORDINARY);
  EXPECT_EQ(std::u16string(item.ZafPopUpItem::Text()), u"Close");
  item.SetHotKey(KZPopUpItem::kShift | u'W');
  EXPECT_EQ(std::u16string(item.ZafPopUpItem::Text()), u"Close\tShift+Ctrl+W");
  item.SetText(u"&Quit");
  EXPECT_EQ(std::u16string(item.ZafPopUpItem::Text()), u"Quit\tShift+Ctrl+W");
  EXPECT_EQ(std::u16string(item.Label().CStr()), u"&Quit");
}
