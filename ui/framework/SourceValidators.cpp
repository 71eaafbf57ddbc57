#include "ui/framework/SourceValidators.h"

#include <optional>
#include <string>

#include "check/CheckClasses.h"
#include "platform/Text1251.h"

namespace talver {
namespace {

struct SourceRule {
  std::string_view Message;  // UTF-8
  bool SkipEnabled;
  int Field;
};

// One failing rule: the user's answer decides whether the validation ends there. A rule that
// cannot be skipped ends it also when its message is only closed, so a value the source cannot
// do without never gets through.
bool EndsValidation(IUiPresenter& presenter, std::string_view title, const SourceRule& rule) {
  const CheckAnswer answer = presenter.ShowEntryError(title, rule.Message, rule.SkipEnabled);
  return answer == CheckAnswer::Fix || !rule.SkipEnabled;
}

bool OktmoLengthRight(std::size_t length) { return length == 8 || length == 11; }

std::optional<SourceRule> InnRuleEither(std::string_view inn) {
  switch (ValidateInn(inn, InnKind::Either)) {
    case 2:
      return SourceRule{"Длина ИНН должна быть равна 10 или 12 цифрам", false, kSourceInn};
    case 5:
      return SourceRule{"Номер ИНН введен неверно", false, kSourceInn};
    default:
      return std::nullopt;
  }
}

std::optional<SourceRule> InnRuleTen(std::string_view inn) {
  switch (ValidateInn(inn, InnKind::Ten)) {
    case 3:
      return SourceRule{"Длина ИНН должна быть равна 10 цифрам", false, kSourceInn};
    case 5:
      return SourceRule{"Номер ИНН введен неверно", false, kSourceInn};
    default:
      return std::nullopt;
  }
}

std::optional<SourceRule> KppRule(std::string_view kpp) {
  switch (ValidateKpp(kpp)) {
    case 1:
      return SourceRule{"Отсутствует КПП", false, kSourceKpp};
    case 2:
      return SourceRule{"Длина КПП должна быть равна 9 цифрам", false, kSourceKpp};
    case 3:
      return SourceRule{"Некорректный КПП", false, kSourceKpp};
    default:
      return std::nullopt;
  }
}

constexpr std::string_view kNoName = "Не заполненно поле \"Наименование источника выплаты\"";

}  // namespace

int ValidateSourceGeneral(IUiPresenter& presenter, std::string_view title, std::string_view name,
                          bool oktmoSkipAllowed, std::string_view oktmo, std::string_view kpp, std::string_view inn) {
  const std::string n = Trim(name);
  const std::string o = Trim(oktmo);
  const std::string k = Trim(kpp);
  const std::string i = Trim(inn);
  std::optional<SourceRule> rules[5];
  if (n.empty()) rules[0] = SourceRule{kNoName, false, kSourceName};
  if (!o.empty() && !OktmoLengthRight(o.size())) {
    rules[1] = SourceRule{
        "Код ОКТМО введен некорректно(должно быть 8 или 11 симв.)(При продаже имущества физ.лицу - не нужен)", false,
        kSourceOktmo};
  }
  if (o.empty()) {
    rules[2] = SourceRule{"Не введен код ОКТМО(8 или 11 симв.)(При продаже имущества физ.лицу - не нужен)",
                          oktmoSkipAllowed, kSourceOktmo};
  }
  rules[3] = InnRuleEither(i);
  if (i.size() == 10) {
    rules[4] = KppRule(k);
  } else if (!k.empty()) {
    rules[4] = i.empty() ? SourceRule{"Введите ИНН", false, kSourceInn}
                         : SourceRule{"Длина ИНН для юрлиц должна быть равна 10 цифрам", false, kSourceInn};
  }
  for (const std::optional<SourceRule>& rule : rules) {
    if (rule && EndsValidation(presenter, title, *rule)) return rule->Field;
  }
  return kSourceValid;
}

int ValidateSourceStrict(IUiPresenter& presenter, std::string_view title, std::string_view name,
                         std::string_view oktmo, std::string_view kpp, std::string_view inn) {
  const std::string n = Trim(name);
  const std::string o = Trim(oktmo);
  const std::string k = Trim(kpp);
  const std::string i = Trim(inn);
  std::optional<SourceRule> rules[5];
  if (n.empty()) rules[0] = SourceRule{kNoName, false, kSourceName};
  if (!OktmoLengthRight(o.size())) rules[1] = SourceRule{"Не введен код ОКТМО(8 или 11 симв.)", false, kSourceOktmo};
  rules[2] = InnRuleTen(i);
  rules[3] = KppRule(k);
  if (i.empty()) {
    rules[4] = SourceRule{"Введите ИНН", false, kSourceInn};
  } else if (i.size() != 10) {
    rules[4] = SourceRule{"Длина ИНН для юрлиц должна быть равна 10 цифрам", false, kSourceInn};
  }
  for (const std::optional<SourceRule>& rule : rules) {
    if (rule && EndsValidation(presenter, title, *rule)) return rule->Field;
  }
  return kSourceValid;
}

}  // namespace talver
