// Generated texts for the compare benchmarks: source-like files and the
// edits and worst cases they are compared against, plus timing helpers.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

using Texts = std::vector<std::string>;

// Source-like lines: indented statements over a limited vocabulary, with
// the braces, blank lines and returns that repeat in real code.
Texts source_text(std::mt19937& random, int lines);
// Changes `percent` of the lines in place (each to a new text).
Texts changed_lines(const Texts& base, std::mt19937& random, double percent);
// Inserts, deletes and changes lines: ordinary edits, nothing moved.
Texts ordinary_edits(const Texts& base, std::mt19937& random, int edits);
// Moves `blocks` blocks of 20 to 200 lines to other places.
Texts moved_blocks(const Texts& base, std::mt19937& random, int blocks);
// Lines drawn from only `distinct` texts.
Texts few_texts(std::mt19937& random, int lines, int distinct);
Texts shuffled(const Texts& base, std::mt19937& random);
Texts reversed(const Texts& base);
// Every other line (or every line, with step 1) changed.
Texts every_nth_changed(const Texts& base, int step);

// Writes the texts, each with a LF, to a file.
void write_texts(const std::string& path, const Texts& texts);
double now_seconds();
// The wall time of a shell command, best of `runs`.
double command_seconds(const std::string& command, int runs);
// The first line a shell command prints.
std::string command_output(const std::string& command);
