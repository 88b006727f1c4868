#include "support/app_fixture.h"

namespace {

TEST_F(AppTest, AFreshStartOffersTheTemplatesAndRegistersTheFileType) {
  StartApp();
  EXPECT_EQ(templatesShown, 1);
  EXPECT_EQ(fileTypeRegistrations, 1);
  EXPECT_FALSE(Form().Modified());
  EXPECT_FALSE(Action("Save1")->isEnabled());
  EXPECT_EQ(Tree().topLevelItemCount(), 1);
  EXPECT_EQ(Form().Agent().AppletData(), DefaultAppletData());
  EXPECT_TRUE(QFile::exists(WorkingFolder() + "recentfile.dat"));
}

}  // namespace
