#pragma once

#include "toolkit/forms/Form.h"

#include <vector>

class TButton;
class TLabel;

// The toolkit's own message box, for hosts without one: a dialog with the box's icon, its text
// and its buttons ("确定", "是(&Y)", "否(&N)", "取消"), the default one focused. ShowModal returns
// the ID of the button pressed. Esc answers Cancel, or OK in a box with only OK; a Yes/No box
// cannot be closed without an answer. A scripted host's answers (HostEventType::Answer) press
// the matching button.
class TMessageForm : public TForm {
public:
    TMessageForm(TComponent* owner, const std::string& text, const std::string& caption, unsigned flags);

    // The IDs of the buttons, in order.
    const std::vector<int>& Answers() const { return answers_; }
    TButton* ButtonFor(int answer) const;
    void DispatchEvent(const HostEvent& event) override;

protected:
    void CreateParams(HostWindowParams& params) override;
    void PaintControl(TCanvas& canvas) override;

private:
    void DrawIcon(TCanvas& canvas, int x, int y);

    unsigned flags_;
    std::vector<int> answers_;
    std::vector<TButton*> buttons_;
    TLabel* label_ = nullptr;
    TPoint iconAt_;
};
