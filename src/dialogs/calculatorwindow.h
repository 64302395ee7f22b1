#pragma once
// The online input: a small calculator window of up to 12 input lines
// (label, edit, unit), up to 12 output lines (label, value, unit) and the
// messages of the last calculation. A calculator fills the lines, runs one
// pass of the window, reads the edited texts back, recalculates and runs the
// window again until the user closes it. Enter, OK or an arrow key ends a
// pass, so the results follow the user from line to line.
//
// A calculator runs:
//     TOnlineSession session("Hardness conversion", 4, 6);   // OnlineInit
//     fill the labels, units and texts
//     do { ResetErrorState(); parse; calculate; fill the outputs;
//          write the inputs back; OnlineRun(line, helpBase, flag);
//     } while (!telmvar.Aborted);
//                                                            // OnlineEnd
// The session ends on every way out of the calculator (an early return, a
// failure), so message boxes are never left switched off.

#include "foundation/formmodel.h"
#include "foundation/types.h"

#include <cstdint>
#include <string>

// The line buffers, program-wide; a calculator owns them between OnlineInit
// and OnlineEnd.
struct TVonline3 {
    uint16_t OnlineLineCount = 12; // input lines shown, 1..12
    uint16_t OnlineOutCount = 12;  // output lines shown, 0..12
    std::string OnlineTitle = "Online Input";
    TArray<std::string, 1, 12> OnlineInLabel;
    TArray<std::string, 1, 12> OnlineInValue; // written before a pass, read back after it
    TArray<std::string, 1, 12> OnlineInUnit;
    TArray<std::string, 1, 12> OnlineOutLabel;
    TArray<std::string, 1, 12> OnlineOutValue;
    TArray<std::string, 1, 12> OnlineOutUnit;
    // Colour of each input edit: 0 default, 1 yellow, 2 green, 3 red.
    TArray<int32_t, 1, 12> OnlineLineState;
    // Recency of each input line: 1 = edited last.
    TArray<uint8_t, 1, 12> OnlineLineNo;
    int32_t OnlineLeft = 12;
    int32_t OnlineTop = 26;
    // 38 (up) or 40 (down) when the last pass ended with an arrow key inside
    // the line range, else 0.
    int32_t OnlineLastKey = 0;

    TVonline3();
};

extern TVonline3 vonline3;

void ResetVonline3();

// Counts and title; no counted messages; message boxes off (the messages go
// into the window instead); every line recency 12 and state 0.
void OnlineInit(const std::string& Title, uint16_t InputLines, uint16_t OutputLines);
// Every line whose recency lies in [R, recency of L) moves back by one; L
// gets R.
void OnlineReorder(uint16_t L, uint8_t R);
// One pass of the window. Line in: the line the calculator last worked on;
// out: the line the user typed in last. Flag is set to 1.
void OnlineRun(uint16_t& Line, uint16_t HelpBase, uint8_t& Flag);
// Message boxes on again; Aborted cleared, so the caller goes on normally.
void OnlineEnd();

// OnlineInit on construction, OnlineEnd however the scope is left.
class TOnlineSession
{
  public:
    TOnlineSession(const std::string& Title, uint16_t InputLines, uint16_t OutputLines);
    ~TOnlineSession();
    TOnlineSession(const TOnlineSession&) = delete;
    TOnlineSession& operator=(const TOnlineSession&) = delete;
};

// Key codes of the edits.
constexpr int OnlineKeyEnter = 13;
constexpr int OnlineKeyEscape = 27;
constexpr int OnlineKeyUp = 38;
constexpr int OnlineKeyDown = 40;

// One pass of the window: the controls "ed_" + i, "lb_" + i, "lbeu_" + i,
// "lbaz_" + i, "lbaw_" + i, "lbau_" + i and "lber_" + i, the three group
// boxes and the six buttons.
class TForm_online final : public TFormModel
{
  public:
    // FormCreate: the run-time controls from the line buffers.
    TForm_online();

    std::string FormName() const override { return "TForm_online"; }
    std::string Caption() const override;

    uint16_t HelpBase = 0;
    uint16_t CurrentLine = 1;
    // The window's position, kept in the line buffers when a pass ends.
    int32_t Left = 0;
    int32_t Top = 0;

    bool Small() const { return small_; }

    // A key pressed in edit "ed_" + Line; Enter, Escape, Up and Down end the
    // pass, every other key is ordinary editing.
    platform::DialogAction KeyDown(uint16_t Line, int Key);
    // An edit clicked becomes the current line.
    void EditClicked(uint16_t Line);
    platform::DialogAction Press(const std::string& Name) override;
    // An edit whose text changed becomes the current line.
    void Changed(const std::string& Name) override;

    // The help entry of a label's hint (0 for none): the input labels
    // HelpBase + 5 (i - 1), the output labels HelpBase + 70 (or + 75 when
    // HelpBase is no multiple of 100) + 2 (i - 1).
    uint16_t HintNumberOf(const std::string& Name) const;
    // The hint shown when the mouse is over the label; a message label
    // shows the explanation of its message.
    std::string HintOf(const std::string& Name) const;

  private:
    void ReadEditsBack();
    void KeepPosition();
    // The line number of an "ed_" + i name, 0 for another name.
    static uint16_t EditLine(const std::string& Name);
    bool small_ = false;
};
