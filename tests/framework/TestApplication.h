#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Application.h"

// One error box as the application would have shown it.
struct TShownError {
  HWND Owner;
  std::string Text;
  std::string Caption;
  UINT Flags;
};

// A fresh application object per test, titled "Ardenix", whose error boxes are
// recorded instead of shown.
class ApplicationTest : public testing::Test {
 protected:
  void SetUp() override {
    app = std::make_unique<TApplication>();
    app->Initialize(GetModuleHandleA(nullptr), SW_SHOWNORMAL);
    app->SetTitle("Ardenix");
    app->SetMessageBoxFunction(
        [this](HWND owner, const std::string& text, const std::string& caption, UINT flags) {
          errors.push_back({owner, text, caption, flags});
          return IDOK;
        });
  }
  void TearDown() override {
    app->ProcessMessages();
    app.reset();
  }

  std::unique_ptr<TApplication> app;
  std::vector<TShownError> errors;
};
