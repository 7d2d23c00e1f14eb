// BuildHuffmanTables: the four fixed tables of DefaultHuffmanTables put into their slots,
// each with its decode table. They are read and decoded once, at the first set-up, and every
// context's slots point at that one copy. The codes are canonical: the symbols take consecutive
// codes in list order, and each length's first code is the previous length's next code shifted left
// once per length step. The decode table keeps, for each length, its smallest and largest
// code and the list index of its first symbol, plus the look-ahead table that answers short
// codes in one step.
#pragma once

#include "decoder/decoder_tables.h"

namespace orvik {

// Points the DC and AC slots that DefaultHuffmanTables names at their code-count tables and
// decode tables and raises the two table counts to match.
void BuildHuffmanTables(DecoderTables& tables);

// The decode table of one code-count table (counts adding up to at most 256 symbols); dc says
// whether its symbols are DC size categories or AC run/size pairs.
void BuildHuffmanDecodeTable(const HuffmanCodeCounts& codeCounts, bool dc,
                             HuffmanDecodeTable& table);

}  // namespace orvik
