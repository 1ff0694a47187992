// The window's layout and what an answer and a button mean on screen, the same on every system.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/address.h"
#include "ui/layout.h"

namespace {

using namespace vantorel;

TEST(Layout, EveryNumberedControlIsThereOnce) {
  std::set<int> ids;
  int labels = 0;
  for (const ControlSpec& item : kControls) {
    if (item.id == kNoId) {
      ++labels;
      EXPECT_EQ(item.kind, ControlKind::Label);
      continue;
    }
    EXPECT_TRUE(ids.insert(item.id).second) << item.id;
    // Inside the window, whose outer size holds a frame and a caption as well.
    EXPECT_LE(item.rect.x + item.rect.width, kWindowWidth) << item.id;
    EXPECT_LE(item.rect.y + item.rect.height, kWindowHeight) << item.id;
  }
  EXPECT_EQ(labels, 6);
  EXPECT_EQ(ids, (std::set<int>{100, 101, 102, 103, 104, 106, 107, 108, 109, 110, 111}));
}

TEST(Layout, AFoundCardFillsTheFourFieldsAndEnablesVisit) {
  QueryOutcome found;
  found.result = QueryResult::Found;
  found.values = {"Quenndal", "http://q.example/", "Vantor 9600", "Update"};
  const OutcomeView view = viewOf(found);
  EXPECT_FALSE(view.apology);
  EXPECT_TRUE(view.enableVisit);
  using Field = std::pair<int, std::string>;
  EXPECT_EQ(view.fields, (std::vector<Field>{{101, "Quenndal"}, {102, "http://q.example/"}, {103, "Vantor 9600"},
                                            {104, "Update"}}));
}

TEST(Layout, NoResultIsTheApologyAlone) {
  QueryOutcome nores;
  nores.result = QueryResult::NoInformation;
  nores.values = {"ignored", "ignored", "ignored", "ignored"};
  const OutcomeView view = viewOf(nores);
  EXPECT_TRUE(view.apology);
  EXPECT_FALSE(view.enableVisit);
  EXPECT_TRUE(view.fields.empty());
}

TEST(Layout, NoWebsiteIsTheApologyAndTheRetryAdvice) {
  QueryOutcome retry;
  retry.result = QueryResult::RetryLater;
  retry.values = {"Quenndal", "0", "Vantor", "Update now"};
  const OutcomeView view = viewOf(retry);
  EXPECT_TRUE(view.apology);
  EXPECT_FALSE(view.enableVisit);
  using Field = std::pair<int, std::string>;
  EXPECT_EQ(view.fields, (std::vector<Field>{{104, "Please retry in a few days..."}}));
}

TEST(Layout, AFailedQueryChangesNothing) {
  const OutcomeView view = viewOf(QueryOutcome{});
  EXPECT_FALSE(view.apology);
  EXPECT_FALSE(view.enableVisit);
  EXPECT_TRUE(view.fields.empty());
}

TEST(Layout, ThreeButtonsOpenPages) {
  EXPECT_EQ(pageFor(kVisitButton, "http://db.example/", "ATI Radeon 9600", "51"),
            "http://db.example/drivermanufact.php?videocard=ATI%20Radeon%209600&os=51");
  EXPECT_EQ(pageFor(kDirectXButton, "http://db.example/", "x", "51"), kDirectXPage);
  EXPECT_EQ(pageFor(kUpdateButton, "http://db.example/", "x", "51"), "http://db.example/updatevideodrivers.html");
  for (int id : {int(kDownloadButton), int(kCardField), int(kLogoPicture), int(kStatusBar), 1, 2}) EXPECT_EQ(pageFor(id, "s/", "x", "51"), "") << id;
}

}  // namespace
