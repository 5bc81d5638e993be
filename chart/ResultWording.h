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

// The one wording of a result text that carries its value: the label of its
// kind, the names of the points it refers to and its value in the project's
// units, made from the record alone (kind, references, value slots), so the
// text the analyses and calculations write, the text re-worded when a point
// moves or a project is opened, and the text the chart draws read alike:
//   总送风量(O-N): 3085m^3/h          空调制冷量(C-L): 12.138kW
//   混风比(N-C-W): W占10%             (the share of the last point named)
//   空调加湿量(W'-M): 0.500kg/h       空调除湿量(W-L): 8.279kg/h
// A negative humidification is worded as the dehumidification of its
// amount. Kinds 1–8 and 10–16; empty for any other kind (plain texts, state
// texts), whose words are their own.
std::string ResultWords(const CIDG& idg, const CCommentString& text, Language language);

// What the chart draws for a text of the result column: in English the
// wording made from the text's kind, references and values (a fixed label of
// an analysis from the label table, with the stored value after it); the
// stored text itself in Chinese, for a caption or text the user typed, and
// wherever the catalogue has no words for it.
std::string ShownText(const CIDG& idg, const CCommentString& text);

} // namespace result_wording
