#include "ui/layout.h"

#include "core/address.h"

namespace vantorel {

OutcomeView viewOf(const QueryOutcome& outcome) {
  OutcomeView view;
  switch (outcome.result) {
    case QueryResult::Failed:
      break;
    case QueryResult::NoInformation:
      view.apology = true;
      break;
    case QueryResult::RetryLater:
      view.apology = true;
      view.fields = {{kAdviceField, kRetryAdvice}};
      break;
    case QueryResult::Found:
      view.fields = {{kManufacturerField, outcome.values.manufacturer},
                     {kWebsiteField, outcome.values.officialUrl},
                     {kDescriptionField, outcome.values.description},
                     {kAdviceField, outcome.values.advice}};
      view.enableVisit = true;
      break;
  }
  return view;
}

std::string pageFor(int control, std::string_view server, std::string_view card, std::string_view os) {
  switch (control) {
    case kVisitButton:
      return manufacturerPageAddress(server, card, os);
    case kDirectXButton:
      return kDirectXPage;
    case kUpdateButton:
      return updatePageAddress(server);
    default:
      return {};
  }
}

}  // namespace vantorel
