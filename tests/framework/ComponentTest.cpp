#include "Component.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Form.h"
#include "TestApplication.h"

namespace {

// Notes its destruction and every notification it gets in a shared log.
class TRecorder : public TComponent {
 public:
  TRecorder(TComponent* owner, std::string name, std::vector<std::string>& log,
            bool logInserts = true)
      : TComponent(owner), log_(log), logInserts_(logInserts) {
    SetName(std::move(name));
  }
  ~TRecorder() override { log_.push_back("~" + Name()); }

  using TComponent::Notification;

 protected:
  void Notification(TComponent* component, TOperation operation) override {
    TComponent::Notification(component, operation);
    if (operation == TOperation::Insert && !logInserts_) return;
    log_.push_back(Name() + (operation == TOperation::Remove ? " -" : " +") + component->Name());
  }
  void Loaded() override {
    TComponent::Loaded();
    log_.push_back(Name() + " loaded, main form " + (Application->MainForm() ? "set" : "none"));
  }

 private:
  std::vector<std::string>& log_;
  bool logInserts_;
};

TEST(Component, AnOwnerDestroysItsComponentsLastFirstAndTellsTheRest) {
  std::vector<std::string> log;
  auto* owner = new TComponent(nullptr);
  auto* a = new TRecorder(owner, "a", log);
  new TRecorder(owner, "b", log);
  new TRecorder(owner, "c", log);
  EXPECT_EQ(owner->ComponentCount(), 3);
  EXPECT_EQ(a->Owner(), owner);
  // Each insertion is announced to the components already there (the newcomer has no
  // name yet at that point).
  EXPECT_EQ(log, (std::vector<std::string>{"a +", "b +", "a +"}));

  log.clear();
  delete owner;
  EXPECT_EQ(log, (std::vector<std::string>{"~c", "b -c", "a -c", "~b", "a -b", "~a"}));
}

TEST(Component, ASingleComponentLeavesItsOwner) {
  std::vector<std::string> log;
  TComponent owner(nullptr);
  new TRecorder(&owner, "a", log);
  auto* b = new TRecorder(&owner, "b", log);
  new TRecorder(&owner, "c", log);
  log.clear();
  delete b;
  EXPECT_EQ(log, (std::vector<std::string>{"~b", "c -b", "a -b"}));
  ASSERT_EQ(owner.ComponentCount(), 2);
  EXPECT_EQ(owner.Components()[0]->Name(), "a");
  EXPECT_EQ(owner.Components()[1]->Name(), "c");
}

TEST(Component, FreeNotificationReachesAComponentOfAnotherOwner) {
  std::vector<std::string> log;
  TComponent left(nullptr);
  TComponent right(nullptr);
  auto* watcher = new TRecorder(&left, "watcher", log);
  auto* watched = new TRecorder(&right, "watched", log);
  watched->FreeNotification(watcher);
  delete watched;
  EXPECT_EQ(log, (std::vector<std::string>{"~watched", "watcher -watched"}));

  // Registration is mutual and ends with either side: nothing reaches a destroyed one.
  log.clear();
  auto* second = new TRecorder(&right, "second", log);
  second->FreeNotification(watcher);
  delete watcher;
  delete second;
  EXPECT_EQ(log, (std::vector<std::string>{"~watcher", "second -watcher", "~second"}));
}

// A form that builds three components in its constructor, as a form description would.
class TBuiltForm : public TForm {
 public:
  TBuiltForm(TComponent* owner, std::vector<std::string>& log) : TForm(owner) {
    for (const char* name : {"one", "two", "three"}) {
      auto* component = new TRecorder(this, name, log, false);
      log.push_back(std::string(name) + (component->Loading() ? " loading" : " not loading"));
    }
  }
};

TEST_F(ApplicationTest, AFormCallsLoadedOnItsComponentsOnceItIsBuilt) {
  std::vector<std::string> log;
  auto* form = app->CreateForm<TBuiltForm>(log);
  // Loaded runs in order of creation, before the form becomes the main form.
  EXPECT_EQ(log, (std::vector<std::string>{
                     "one loading", "two loading", "three loading", "one loaded, main form none",
                     "two loaded, main form none", "three loaded, main form none"}));
  EXPECT_EQ(app->MainForm(), form);
  for (TComponent* component : form->Components()) EXPECT_FALSE(component->Loading());
  EXPECT_FALSE(form->Loading());

  auto* late = new TRecorder(form, "late", log, false);
  EXPECT_FALSE(late->Loading());
  form->EndBuilding();  // only once
  EXPECT_EQ(log.size(), 6u);
  delete form;  // the recorders write into this test's log
  EXPECT_EQ(app->MainForm(), nullptr);
}

TEST_F(ApplicationTest, ComponentsAreLoadingWhileTheirFormIsBuilt) {
  std::vector<std::string> log;
  struct TProbeForm : public TForm {
    TProbeForm(TComponent* owner, std::vector<std::string>& log) : TForm(owner) {
      auto* component = new TRecorder(this, "x", log, false);
      log.push_back(component->Loading() ? "loading" : "not loading");
    }
  };
  auto* form = new TProbeForm(nullptr, log);
  EXPECT_EQ(log, (std::vector<std::string>{"loading"}));
  form->EndBuilding();
  EXPECT_EQ(log.back(), "x loaded, main form none");
  delete form;
}

}  // namespace
