#pragma once
// The body of a 3-НДФЛ document: each writer appends its sheet's elements to `НДФЛ3` from the
// computed summary and the declaration (which the computation has already completed with the
// values the export relies on). WriteBody3 runs them all in the order of the form.
#include "compute/SvodSum.h"
#include "model/DeclClasses.h"
#include "platform/XmlDom.h"

namespace talver {

// Section 1 (`СумНалПу`), section 2 (`НалБаза`) and sheet А (`ДоходИстРФ`).
void WriteSection1(XmlElement& body, const kTSvodSum& summary);
void WriteSection2(XmlElement& body, const kTSvodSum& summary);
void WriteSheetA(XmlElement& body, const kTSvodSum& summary, const mTDeclaration& declaration);

// Sheet Б (`ДоходИстИно`), sheet В (`ДоходПредпр`), sheet Г (`ДоходОсвПрев`).
void WriteSheetB(XmlElement& body, const kTSvodSum& summary, const mTDeclaration& declaration);
void WriteSheetV(XmlElement& body, const kTSvodSum& summary, const mTDeclaration& declaration);
void WriteSheetG(XmlElement& body, const kTSvodSum& summary, const mTDeclaration& declaration);

// Sheets Д1 (`ИмущНалВычНов`), Д2 (`ИмущНалВычПр`), Е1 (`ВычСтандСоц`), Е2 (`ВычСоцИнв219`)
// and Ж (`ПрофНалВыч`, incomes in the Russian Federation, then foreign incomes).
void WriteSheetD1(XmlElement& body, const kTSvodSum& summary, const mTDeclaration& declaration);
void WriteSheetD2(XmlElement& body, const kTSvodSum& summary);
void WriteSheetE1(XmlElement& body, const kTSvodSum& summary, const mTDeclaration& declaration);
void WriteSheetE2(XmlElement& body, const kTSvodSum& summary);
void WriteSheetZh(XmlElement& body, const kTSvodSum& summary);

// Sheet З (`ДохОперЦБ`, the individual investment account, then ordinary accounts) and sheet И
// (`ДохИвестТов`).
void WriteSheetZ(XmlElement& body, const kTSvodSum& summary, const mTDeclaration& declaration);
void WriteSheetI(XmlElement& body, const kTSvodSum& summary);

void WriteBody3(XmlElement& body, const kTSvodSum& summary, const mTDeclaration& declaration);

}  // namespace talver
