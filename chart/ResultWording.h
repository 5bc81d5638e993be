#pragma once

#include <initializer_list>
#include <string>

#include "model/ResultKinds.h"

class CIDG;
class CCommentString;

// The words of the result column. The model keeps every result text in its
// Chinese wording (project files, the analysis report and other programs
// read it); the chart draws it in the interface's language, made afresh at
// drawing time from the text's kind, the names of the points it refers to
// and its value slots, or, for the fixed labels the analyses write, from a
// table of those labels. Nothing here writes to the model.
namespace result_wording {

// pattern with %1 … %9 replaced by args in one pass: a "%n" inside an
// argument (a point name) stays as it is. Works on the bytes, so Chinese
// words and names come out exactly as they went in.
std::string Fill(const std::string& pattern, std::initializer_list<std::string> args);

enum class Language {
    Stored,    // the Chinese wording the model and the files keep
    Interface, // the interface's language (Chinese without a catalogue)
};

// "空调制冷量(C-L): 12.138kW": the label of kind, the names of its first and
// second point and its value as shown, for the kinds re-worded from their
// records (1–4, 6–8, 10–14). Empty for any other kind.
std::string KindWords(int kind, const std::string& first, const std::string& second, const std::string& value,
                      Language language);
// "混风比(N-C-W): 10%": the mixing ratio of mixture between first and second.
std::string MixingWords(const std::string& first, const std::string& mixture, const std::string& second,
                        const std::string& value, Language language);

// What the chart draws for a text of the result column: in English the
// wording made from the text's kind, references and values (a fixed label of
// an analysis from the label table, with the stored value after it); the
// stored text itself in Chinese, for a caption or text the user typed, and
// wherever the catalogue has no words for it.
std::string ShownText(const CIDG& idg, const CCommentString& text);

} // namespace result_wording
