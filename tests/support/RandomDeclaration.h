#pragma once
// Seeded random declarations that use every list, every stream and every branch of the file:
// each field the model keeps gets a random value through the model's VisitFields.
#include <array>
#include <iterator>
#include <cstdint>
#include <random>
#include <string>
#include <type_traits>
#include <vector>

#include "model/DeclClasses.h"

namespace talver::testing {

class RandomFiller {
 public:
  explicit RandomFiller(std::uint32_t seed, int maxListSize = 3) : rng_(seed), maxList_(maxListSize) {}

  // Lists of the sections left off end up empty, as switching a section off leaves them.
  void Fill(mTDeclaration& declaration) {
    declaration.VisitFields(*this);
    declaration.SetSections(sections_);
  }

  void Sections(const char*, mTDeclaration& declaration) {
    sections_ = 0;
    for (std::uint8_t bit : {kSectionRussian, kSectionForeign, kSectionBusiness, kSectionLegacy, kSectionInvestTov}) {
      if (Chance(3, 4)) sections_ |= bit;
    }
    declaration.SetSections(0x1F);
  }

  void Field(const char*, std::string& value) { value = Text(); }
  void Field(const char*, Currency& value) { value = Amount(); }
  void Field(const char*, std::int32_t& value) { value = Int(); }
  void Field(const char*, std::uint16_t& value) { value = static_cast<std::uint16_t>(Int() & 0xFFFF); }
  void Field(const char*, std::uint8_t& value) {
    // Flags choose branches of the file: make both sides of each one common.
    value = Chance(1, 2) ? static_cast<std::uint8_t>(Uniform(0, 1)) : static_cast<std::uint8_t>(Uniform(0, 255));
  }
  void Date(const char*, double& value) {
    value = static_cast<double>(Uniform(1, 80000));
    if (Chance(1, 4)) value += 0.5;
  }
  template <class T, std::size_t N>
  void Array(const char* name, std::array<T, N>& values) {
    for (T& v : values) Field(name, v);
  }
  void Vector(const char*, std::vector<Currency>& values) {
    values.clear();
    for (int i = Uniform(0, maxList_); i > 0; --i) values.push_back(Amount());
  }
  template <class T>
  void List(const char*, mTList<T>& list) {
    list.Clear();
    for (int i = Uniform(0, maxList_); i > 0; --i) list.Get(list.Add()).VisitFields(*this);
  }
  template <class T>
  void Object(const char*, T& object) {
    object.VisitFields(*this);
  }
  template <class Owner>
  void Entries(const char*, Owner& owner) {
    owner.ClearEntries();
    using Entry = std::decay_t<decltype(owner.GetEntry(0))>;
    for (int i = Uniform(0, maxList_); i > 0; --i) {
      Entry entry;
      entry.VisitFields(*this);
      owner.AddEntry(entry);
    }
  }
  template <class Owner>
  void Months(const char*, Owner& owner) {
    for (int m = 1; m <= 12; ++m) owner.SetMonthAmount(m, Chance(1, 3) ? Currency::FromRoubles(-1) : Amount());
  }

  int Uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }
  bool Chance(int numerator, int denominator) { return Uniform(1, denominator) <= numerator; }

  // windows-1251 text; now and then the name of a stream, as a user may type anything.
  std::string Text() {
    static const char* const kNames[] = {"@DeclInfo", "@PersonAddress", "@HomePhone", "@DeclInquiry",
                                         "@ThirteenPercent000", "@SourseIncome000000", "@DeclForeign",
                                         "@DeclInvestTov", "@DeclBusiness", "@StandartDeduct", "@Pens", "@Nalog"};
    if (Chance(1, 40)) return kNames[Uniform(0, static_cast<int>(std::size(kNames)) - 1)];
    std::string text;
    for (int i = Uniform(0, 12); i > 0; --i) {
      int c = Uniform(0x20, 0xFF);
      if (c == '@' || c == 0x7F || c == 0x98) c = 'x';
      text += static_cast<char>(c);
    }
    return text;
  }
  Currency Amount() {
    switch (Uniform(0, 3)) {
      case 0: return Currency();
      case 1: return Currency::FromRoubles(Uniform(0, 1000000));
      case 2: return Currency::FromUnits(Uniform(-100000000, 2000000000));
      default: return Currency::FromUnits(static_cast<std::int64_t>(Uniform(0, 1 << 30)) * 1000003);
    }
  }
  std::int32_t Int() {
    switch (Uniform(0, 3)) {
      case 0: return 0;
      case 1: return Uniform(1, 20);
      case 2: return Uniform(-5, 5000);
      default: return static_cast<std::int32_t>(std::uniform_int_distribution<std::uint32_t>()(rng_));
    }
  }

 private:
  std::mt19937 rng_;
  int maxList_;
  std::uint8_t sections_ = 0;
};

}  // namespace talver::testing
