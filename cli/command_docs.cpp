#include "cli/command_docs.h"

#include <vector>

#include "cli/options.h"
#include "input/dates.h"
#include "input/keywords.h"

namespace moonfold::cli {
namespace {

// Text as roff reads it in a font: a backslash and a minus escaped.
std::string Escaped(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (c == '\\') {
      out += "\\e";
    } else if (c == '-') {
      out += "\\-";
    } else {
      out += c;
    }
  }
  return out;
}

bool IsWordCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// The manual's light markup as roff: *bold* and _italic_ (an underscore
// inside a word, as in LC_ALL, is a letter), a paragraph break at "\n\n",
// and a line for each sentence.
std::string Roff(std::string_view text) {
  std::string out;
  bool bold = false, italic = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const bool before = i > 0 && IsWordCharacter(text[i - 1]);
    const bool after = i + 1 < text.size() && IsWordCharacter(text[i + 1]);
    if (c == '*') {
      bold = !bold;
      out += bold ? "\\fB" : (italic ? "\\fI" : "\\fR");
    } else if (c == '_' && (italic ? !after : !before)) {
      italic = !italic;
      out += italic ? "\\fI" : (bold ? "\\fB" : "\\fR");
    } else if (text.substr(i, 2) == "\n\n") {
      out += "\n.IP\n";
      ++i;
    } else if (c == ' ' && i > 0 && text[i - 1] == '.' && !bold && !italic) {
      out += '\n';
    } else if (c == '\\') {
      out += "\\e";
    } else if (c == '-' && (bold || italic)) {
      out += "\\-";
    } else {
      out += c;
    }
  }
  return out;
}

// A value's form: its words in italics, brackets, bars and the equals sign
// in roman.
std::string ValueRoff(std::string_view form) {
  std::string out;
  bool in_word = false;
  for (const char c : form) {
    const bool word = c != '[' && c != ']' && c != '|' && c != '=';
    if (word != in_word) out += word ? "\\fI" : "\\fR";
    in_word = word;
    out += c == '-' ? std::string("\\-") : std::string(1, c);
  }
  if (in_word) out += "\\fR";
  return out;
}

std::string OptionRoff(std::string_view name, const OptionRow& row) {
  std::string out = "\\fB" + Escaped(name) + "\\fR";
  if (row.value == kInline) return out + ValueRoff(row.value_name);
  if (!row.value_name.empty()) out += " " + ValueRoff(row.value_name);
  return out;
}

std::string Synopsis() {
  std::string out;
  const auto form = [&out](Mode mode) {
    out += ".B moonfold";
    for (const OptionId option : OptionsOfMode(mode)) {
      const OptionRow& row = option.Row();
      if (option.row == mode) {
        out += " " + Escaped(row.name) + "\n";
        if (!row.value_name.empty()) out += ValueRoff(row.value_name) + "\n";
        continue;
      }
      if (out.back() != '\n') out += "\n";
      // With --every, --ics names the format and takes no years.
      std::string written =
          row.mode ? "\\fB" + Escaped(row.name) + "\\fR" : OptionRoff(row.name, row);
      if (!row.alias.empty()) written = OptionRoff(row.alias, row) + " | " + written;
      out += "[" + written + "]\n";
    }
    if (out.back() != '\n') out += "\n";
    if (mode == kTextsMode) out += "[\\fIKEYWORD\\fR ...]\n";
    out += ".br\n";
  };
  form(kTextsMode);
  for (std::size_t m = 0; m < kOptionCount; ++m) {
    if (kOptions[m].mode) form(static_cast<Mode>(m));
  }
  out +=
      ".B moonfold\n[\\fB\\-\\-keywords\\fR | \\fB\\-h\\fR | \\fB\\-\\-help\\fR | "
      "\\fB\\-\\-version\\fR]\n.PP\nEvery form also takes\n[\\fB\\-\\-script\\fR "
      "\\fBhans\\fR|\\fBhant\\fR]\nand\n[\\fB\\-\\-holidays\\fR \\fIFILE\\fR].\n";
  return out;
}

std::string Options() {
  std::string out;
  for (const OptionRow& row : kOptions) {
    std::string tag = OptionRoff(row.name, row);
    if (row.alias.size() == 2) tag = "\\fB" + Escaped(row.alias) + "\\fR, " + tag;
    if (row.alias.size() > 2) tag += ", " + OptionRoff(row.alias, row);
    out += ".TP\n" + tag + "\n" + Roff(row.manual) + "\n";
  }
  return out;
}

std::string Keywords() {
  std::string out;
  for (const Field& field : AllFields()) {
    out += ".TP\n.B " + field.Name() + "\n" + std::string(field.Meaning()) + "\n";
  }
  return out;
}

void Replace(std::string& text, std::string_view mark, const std::string& with) {
  for (std::size_t at; (at = text.find(mark)) != std::string::npos;)
    text.replace(at, mark.size(), with);
}

// The words of a list, a bash word each.
std::string WordList(std::span<const std::string_view> words) {
  std::string out;
  for (const std::string_view word : words) out += (out.empty() ? "" : " ") + std::string(word);
  return out;
}

// The case arms for the word after an option: its words, a file, or
// nothing to offer.
std::string ValueArms() {
  std::string words, files, nothing;
  for (const OptionRow& row : kOptions) {
    std::string names(row.name);
    if (!row.alias.empty()) names += "|" + std::string(row.alias);
    if (row.value == kInline) {
      std::string eq(row.name);
      eq += "=";
      if (!row.alias.empty()) eq += "|" + std::string(row.alias) + "=";
      words += "    " + eq + ")\n      _moonfold_words \"" + WordList(row.words) +
               "\"\n      return ;;\n";
    } else if (row.file) {
      files += names + "|";
    } else if (row.list) {
      words += "    " + names + ")\n      _moonfold_list \"" + WordList(row.words) +
               "\"\n      return ;;\n";
    } else if (!row.words.empty()) {
      words += "    " + names + ")\n      _moonfold_words \"" + WordList(row.words) +
               "\"\n      return ;;\n";
    } else if (row.value == kRequired) {
      nothing += names + "|";
    }
  }
  if (!files.empty()) {
    files.pop_back();
    words += "    " + files + ")\n      COMPREPLY=($(compgen -f -- \"$cur\"))\n      return ;;\n";
  }
  if (!nothing.empty()) {
    nothing.pop_back();
    words += "    " + nothing + ")\n      return ;;\n";
  }
  return words;
}

std::string OptionNames() {
  std::string names;
  for (const OptionRow& row : kOptions) {
    for (const std::string_view name : {row.name, row.alias}) {
      if (name.empty()) continue;
      names += (names.empty() ? "" : " ") + std::string(name);
      if (row.value == kInline) names += " " + std::string(name) + "=";
    }
  }
  return names;
}

std::string InlineArms() {
  std::string out;
  for (const OptionRow& row : kOptions) {
    if (row.value != kInline) continue;
    std::string names = std::string(row.name) + "=*";
    if (!row.alias.empty()) names += "|" + std::string(row.alias) + "=*";
    out += "    " + names + ")\n      _moonfold_words \"" + WordList(row.words) +
           "\" \"${cur%%=*}=\" \"${cur#*=}\"\n      return ;;\n";
  }
  return out;
}

}  // namespace

std::string ManualPage(std::string_view page) {
  std::string out(page);
  Replace(out, "@SYNOPSIS@\n", Synopsis());
  Replace(out, "@OPTIONS@\n", Options());
  Replace(out, "@KEYWORDS@\n", Keywords());
  Replace(out, "@RANGE@", Escaped(RangeText()));
  return out;
}

std::string CompletionScript() {
  std::string keywords;
  for (const Field& field : AllFields()) keywords += (keywords.empty() ? "" : " ") + field.Name();
  return "# bash completion for moonfold, made from its option and keyword tables when it\n"
         "# was built: do not edit.\n"
         "# Offers the words of a list (prefix, then the word typed so far of `cur`).\n"
         "_moonfold_words() {\n"
         "  COMPREPLY=($(compgen -P \"${2-}\" -W \"$1\" -- \"${3-$cur}\"))\n"
         "}\n"
         "# Offers the words of a comma-separated list that it does not hold yet,\n"
         "# after what was typed before the last comma.\n"
         "_moonfold_list() {\n"
         "  local typed=\"\" word left=\"\"\n"
         "  [[ $cur == *,* ]] && typed=${cur%,*},\n"
         "  for word in $1; do\n"
         "    [[ \",$typed\" == *\",$word,\"* ]] || left+=\" $word\"\n"
         "  done\n"
         "  COMPREPLY=($(compgen -P \"$typed\" -W \"$left\" -- \"${cur##*,}\"))\n"
         "}\n"
         "_moonfold() {\n"
         "  local cur prev\n"
         "  cur=${COMP_WORDS[COMP_CWORD]}\n"
         "  prev=${COMP_WORDS[COMP_CWORD-1]}\n"
         "  # bash splits --color=al at the equals sign (COMP_WORDBREAKS holds it):\n"
         "  # the word before the = is then the option.\n"
         "  if [[ $prev == \"=\" ]]; then\n"
         "    prev=${COMP_WORDS[COMP_CWORD-2]}=\n"
         "  elif [[ $cur == \"=\" ]]; then\n"
         "    prev=$prev=\n"
         "    cur=\n"
         "  fi\n"
         "  case $prev in\n" +
         ValueArms() +
         "  esac\n"
         "  case $cur in\n" +
         InlineArms() +
         "    -*)\n"
         "      _moonfold_words \"" +
         OptionNames() +
         "\"\n"
         "      return ;;\n"
         "  esac\n"
         "  # The keywords, whatever the case typed.\n"
         "  COMPREPLY=($(compgen -W \"" +
         keywords +
         "\" -- \"${cur^^}\"))\n"
         "}\n"
         "complete -F _moonfold moonfold\n";
}

}  // namespace moonfold::cli
