#include "export/ExportDriver.h"

namespace talver {

// The document is written by the export proper; until it exists the export reports a failure.
std::string ExportDeclaration(const std::filesystem::path&, mTDeclaration&, int, IPresenter& presenter,
                              const ExportEnvironment&) {
  presenter.ShowMessage("Ошибка в выгрузке. Пожалуйста, свяжитесь с разработчиками через службу поддержки",
                        "Тальвер 2016", MessageIcon::Error);
  return "ERROR";
}

}  // namespace talver
