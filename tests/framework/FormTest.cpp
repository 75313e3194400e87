#include "Form.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "TestApplication.h"

namespace {

// A form whose closing fails while `failing` is set, as saving to an unwritable file
// would.
class TSavingForm : public TForm {
 public:
  explicit TSavingForm(TComponent* owner) : TForm(owner) {}
  bool failing = true;
  int saves = 0;

 protected:
  bool CloseQuery() override {
    ++saves;
    if (failing) throw std::runtime_error("Cannot write the store");
    return TForm::CloseQuery();
  }
};

TEST_F(ApplicationTest, AnErrorWhileClosingKeepsTheMainFormOpenAndClosingAgainEnds) {
  auto* form = app->CreateForm<TSavingForm>();
  form->Show();
  SendMessageA(form->Handle(), WM_CLOSE, 0, 0);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0].Text, "Cannot write the store.");
  EXPECT_FALSE(app->Terminated());
  EXPECT_TRUE(IsWindowVisible(form->Handle()));

  form->failing = false;
  PostMessageA(form->Handle(), WM_CLOSE, 0, 0);
  app->ProcessMessages();
  EXPECT_EQ(form->saves, 2);
  EXPECT_TRUE(app->Terminated());
  EXPECT_EQ(errors.size(), 1u);
}

TEST_F(ApplicationTest, OnCloseQueryAndOnCloseCanKeepAFormOpen) {
  auto* main = app->CreateForm<TForm>();
  auto* other = app->CreateForm<TForm>();
  main->Show();
  other->Show();

  bool allow = false;
  other->OnCloseQuery = [&](TObject*, bool& canClose) { canClose = allow; };
  other->Close();
  EXPECT_TRUE(other->Visible());

  allow = true;
  other->OnClose = [](TObject*, TCloseAction& action) { action = TCloseAction::None; };
  other->Close();
  EXPECT_TRUE(other->Visible());

  other->OnClose = nullptr;
  other->Close();  // a form that is not the main form hides
  EXPECT_FALSE(other->Visible());
  EXPECT_FALSE(IsWindowVisible(other->Handle()));
  EXPECT_FALSE(app->Terminated());

  app->Handle();
  SendMessageA(app->Handle(), WM_CLOSE, 0, 0);  // Close on the taskbar button
  EXPECT_TRUE(app->Terminated());
}

TEST_F(ApplicationTest, ShowModalDisablesTheOtherFormsUntilEscapeClosesIt) {
  auto* main = app->CreateForm<TForm>();
  auto* dialog = app->CreateForm<TForm>();
  main->Show();
  bool mainEnabledMeanwhile = true;
  int shown = 0;
  dialog->OnShow = [&](TObject*) {
    ++shown;
    mainEnabledMeanwhile = IsWindowEnabled(main->Handle()) != FALSE;
    // Escape, as the keyboard would deliver it to the focused window.
    PostMessageA(dialog->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
  };
  EXPECT_EQ(dialog->ShowModal(), mrCancel);
  EXPECT_EQ(shown, 1);
  EXPECT_FALSE(mainEnabledMeanwhile);
  EXPECT_TRUE(IsWindowEnabled(main->Handle()));
  EXPECT_FALSE(dialog->Visible());
  EXPECT_FALSE(app->Terminated());
}

TEST_F(ApplicationTest, ShowModalEndsWithTheResultSet) {
  app->CreateForm<TForm>()->Show();
  auto* dialog = app->CreateForm<TForm>();
  dialog->OnShow = [&](TObject*) { dialog->ModalResult = mrOk; };
  EXPECT_EQ(dialog->ShowModal(), mrOk);
  EXPECT_FALSE(IsWindowVisible(dialog->Handle()));
}

}  // namespace
