// BuildHuffmanTables: the four fixed tables of DefaultHuffmanTables read into their slots,
// each with its decode table. The codes are canonical: the symbols take consecutive codes in
// list order, and each length's first code is the previous length's next code shifted left
// once per length step. The decode table keeps, for each length, its smallest and largest
// code and the list index of its first symbol, plus the look-ahead table that answers short
// codes in one step.
#pragma once

#include "decoder/decoder_tables.h"

namespace orvik {

// Creates the DC and AC code-count tables and decode tables of the slots DefaultHuffmanTables
// names and raises the two table counts to match. The slots must be empty.
void BuildHuffmanTables(DecoderTables& tables);

// The decode table of one code-count table (counts adding up to at most 256 symbols); dc says
// whether its symbols are DC size categories or AC run/size pairs.
void BuildHuffmanDecodeTable(const HuffmanCodeCounts& codeCounts, bool dc,
                             HuffmanDecodeTable& table);

}  // namespace orvik
