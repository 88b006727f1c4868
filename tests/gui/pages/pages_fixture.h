#pragma once
// A default project with its pages hosted in a shown tab control, the
// scripted prompts, and spies on the pages' two signals. The pages' edits
// go straight into the fixture's agent, as the window's steps would put them.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>

#include "editor/pages/item_page.h"
#include "editor/pages/path_page.h"
#include "editor/pages/property_pages.h"
#include "editor/pages/script_page.h"
#include "editor/pages/text_page.h"
#include "model/applet_agent.h"
#include "support/scripted_prompts.h"

class PagesTest : public ::testing::Test {
 protected:
  PagesTest() {
    agent.SetDefaults();
    pages.SetEditSink([this](const TPageEdit& edit) { Apply(edit); });
    pages.HostIn(&tabs);
    tabs.show();
    EXPECT_TRUE(pages.RefreshAppletPages().ok);
    modified.clear();
  }

  template <typename T>
  T* Find(const char* name) {
    T* found = tabs.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }

  // Replaces a field's whole text by typing, as a user would.
  static void Retype(QWidget* field, const QString& text) {
    if (auto* list = qobject_cast<QComboBox*>(field)) field = list->lineEdit();
    if (auto* edit = qobject_cast<QLineEdit*>(field)) edit->selectAll();
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(field)) spin->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, text);
  }

  void Apply(const TPageEdit& edit) {
    if (edit.item < 0) {
      TAppletData data = agent.AppletData();
      data.Field(edit.field) = edit.after;
      agent.SetAppletData(data);
    } else {
      TItemData item;
      agent.GetItemData(edit.item, item);
      item.Field(edit.field) = edit.after;
      agent.SetItemData(item, edit.item);
    }
  }

  // One item entry to show on the Item page.
  int AddItem(const TItemData& item) {
    agent.InsertItem(agent.ItemCount(), item);
    return agent.ItemCount() - 1;
  }

  TkvdAppletAgent agent;
  TScriptedPrompts prompts;
  QTabWidget tabs;
  TPropertyPages pages{agent, prompts, QStringLiteral("/opt/lumeroll/"), &tabs};
  QSignalSpy modified{&pages, &TPropertyPages::Modified};
  QSignalSpy help{&pages, &TPropertyPages::HelpTopicRequested};
};
