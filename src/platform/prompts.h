#pragma once
// The small modal questions every command uses: pick one item of a list, type
// one line of text, read a screen of fixed-pitch text. The range checks,
// number parsing and retry loops live in the callers; a back end only shows
// the question and hands back the raw answer (or nothing on Cancel/Escape).

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace platform
{

// How a choice is offered: a list box, one radio button per item, or the
// yes/no group (two items, yes first).
enum class SelectionStyle { List, Radio, YesNo };

struct HelpButtons {
    // Pressing "&Help Text" or "Aux. &Image" calls these; a button whose
    // callback is empty is not offered. The dialog stays open.
    std::function<void()> OnHelpText;
    std::function<void()> OnHelpImage;
};

struct SelectionRequest {
    std::string Caption = "Select";
    std::string Prompt;
    std::vector<std::string> Items;
    int Selected = 0; // 0-based index shown as chosen
    SelectionStyle Style = SelectionStyle::List;
    HelpButtons Help;
};

struct TextPromptRequest {
    std::string Caption = "Input";
    std::string Prompt;
    std::string Text;
    int MaxLength = 255; // characters the edit accepts
    HelpButtons Help;
    // Text and the answer are a file or directory name (or a command line
    // of them) as the file system has it, not a text of the program: it is
    // shown and given back as such.
    bool FileName = false;
};

struct TextScreenRequest {
    std::string Caption;
    std::vector<std::string> Lines; // shown in a fixed-pitch font
};

struct ColourRequest {
    std::string Caption = "Colour";
    uint32_t Colour = 0; // 0xBBGGRR, as the program stores colours
};

// A font as the settings hold it: name, size in points and the style code
// (bold 1, italic 2, underline 4, strikeout 8).
struct FontChoice {
    std::string Name;
    int Size = 10;
    int Style = 0;
};

class Prompts
{
  public:
    virtual ~Prompts() = default;
    // The 0-based index chosen, or nothing on Cancel.
    virtual std::optional<int> Select(const SelectionRequest& request) = 0;
    // The text typed, or nothing on Cancel.
    virtual std::optional<std::string> AskText(const TextPromptRequest& request) = 0;
    // Shows the lines until the user presses OK.
    virtual void ShowTextScreen(const TextScreenRequest& request) = 0;
    // The desktop's colour and font dialogs, opened on the current choice;
    // nothing on Cancel (and where a back end has none).
    virtual std::optional<uint32_t> PickColour(const ColourRequest& request)
    {
        (void)request;
        return std::nullopt;
    }
    virtual std::optional<FontChoice> PickFont(const FontChoice& current)
    {
        (void)current;
        return std::nullopt;
    }
};

} // namespace platform
