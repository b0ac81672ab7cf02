#include "installer/wizard/MerrowinForm.h"

#include "installer/payload/DecompileStream.h"
#include "installer/payload/InstallerFile.h"
#include "skin/controls/Button.h"
#include "skin/controls/Form.h"
#include "skin/controls/ProgressBar.h"
#include "skin/controls/RadioButton.h"
#include "toolkit/application/Application.h"
#include "toolkit/application/Timer.h"
#include "toolkit/controls/Label.h"
#include "toolkit/controls/Memo.h"
#include "toolkit/layout/LayoutReader.h"
#include "toolkit/controls/PageControl.h"
#include "toolkit/messages/Messages.h"

namespace {

constexpr int kWelcomePage = 0;
constexpr int kLicencePage = 1;
constexpr int kProgressPage = 2;
constexpr int kFinishPage = 3;
constexpr int kClientWidth = 467;
constexpr int kClientHeight = 397;

// Every control the handlers touch is part of the stored layout; a layout without one is a
// fault of the build, not of the user's input.
template <class T> T* Control(TComponent& form, const char* name)
{
    T* control = dynamic_cast<T*>(form.FindComponent(name));
    if (!control)
        throw EComponentError(std::string("the wizard layout has no ") + name);
    return control;
}

} // namespace

TMerrowinForm::TMerrowinForm(TComponent* owner, TWizardContext context) : TForm(owner), context_(std::move(context))
{
    DefineHandlers();
    ReadLayout(*this, WizardLayout(), &WizardResources());
    FindControls();
    KeepClientSize();
    DoCreate();
}

const TClassInfo& TMerrowinForm::StaticClassInfo()
{
    static const TClassInfo info("TMerrowinForm", &TForm::StaticClassInfo(), nullptr, [](TClassInfo&) {});
    return info;
}

void TMerrowinForm::DefineHandlers()
{
    auto notify = [this](void (TMerrowinForm::*handler)(TObject*)) {
        return TNotifyEvent([this, handler](TObject* sender) { (this->*handler)(sender); });
    };
    DefineHandler("FormCreate", notify(&TMerrowinForm::FormCreate));
    DefineHandler("FormShow", notify(&TMerrowinForm::FormShow));
    DefineHandler("FormClose", TCloseEvent([this](TObject* sender, TCloseAction& action) { FormClose(sender, action); }));
    DefineHandler("TabSheet1Show", notify(&TMerrowinForm::TabSheet1Show));
    DefineHandler("TabSheet2Show", notify(&TMerrowinForm::TabSheet2Show));
    DefineHandler("TabSheet3Show", notify(&TMerrowinForm::TabSheet3Show));
    DefineHandler("suiButton1Click", notify(&TMerrowinForm::suiButton1Click));
    DefineHandler("suiButton2Click", notify(&TMerrowinForm::suiButton2Click));
    DefineHandler("suiButton5Click", notify(&TMerrowinForm::suiButton5Click));
    DefineHandler("AcceptRadioButtonClick", notify(&TMerrowinForm::AcceptRadioButtonClick));
    DefineHandler("suiRadioButton2Click", notify(&TMerrowinForm::suiRadioButton2Click));
    DefineHandler("suiButton3Click", notify(&TMerrowinForm::suiButton3Click));
    DefineHandler("suiButton4Click", notify(&TMerrowinForm::suiButton4Click));
    DefineHandler("suiButton6Click", notify(&TMerrowinForm::suiButton6Click));
    DefineHandler("TimerTimer", notify(&TMerrowinForm::TimerTimer));
}

void TMerrowinForm::FindControls()
{
    suiForm_ = Control<TsuiForm>(*this, "suiForm");
    pageControl_ = Control<TPageControl>(*this, "PageControl");
    titleLabel_ = Control<TLabel>(*this, "TitleLabel");
    firstPageLabel_ = Control<TLabel>(*this, "FirstPageLabel");
    licenseMemo_ = Control<TMemo>(*this, "LicenseMemo");
    acceptRadioButton_ = Control<TsuiRadioButton>(*this, "AcceptRadioButton");
    nextOnLicencePage_ = Control<TsuiButton>(*this, "suiButton4");
    progressBar_ = Control<TsuiProgressBar>(*this, "ProgressBar");
    removeLabel_ = Control<TLabel>(*this, "RemoveLabel");
    timer_ = Control<TTimer>(*this, "Timer");
}

// The pages are laid out for the client area the layout stores; the skin's frame, which arrived
// after the window was sized for the plain dialog frame, must not take its pixels away.
void TMerrowinForm::KeepClientSize()
{
    if (ClientWidth() != kClientWidth || ClientHeight() != kClientHeight)
        SetClientSize(kClientWidth, kClientHeight);
}

// --- Start and close -------------------------------------------------------------------------

void TMerrowinForm::FormCreate(TObject*)
{
    project_ = std::make_unique<TProject>();
    movieStream_ = std::make_unique<TMemoryStream>();
    try {
        const TInstallerFile self(context_.executablePath);
        TDecompileStream reader;
        reader.Decompile(self.Bytes());
        // The movie is the largest thing the installer holds: keep the inflated stream itself
        // rather than a copy of it.
        movieStream_ = reader.GetStream(1, true);
        movieStream_->SetPosition(0);
        movieLoaded_ = true;
        project_->ProjectStream.LoadFromStream(*reader.GetStream(2, true));
        project_->LoadFromStream();
    } catch (const std::exception& error) {
        loadError_ = error.what();
        throw;
    }
}

void TMerrowinForm::FormShow(TObject*)
{
    SetCaption(Title() + " 安装程序");
    suiForm_->SetCaption(Caption());
    if (Application)
        Application->SetTitle(Caption());
    if (StartedWithArgument())
        pageControl_->SetActivePageIndex(kProgressPage);
}

void TMerrowinForm::FormClose(TObject*, TCloseAction&)
{
    project_.reset();
    movieStream_.reset();
}

bool TMerrowinForm::StartedWithArgument() const
{
    return !context_.arguments.empty() && !context_.arguments.front().empty();
}

const std::string& TMerrowinForm::Title() const
{
    static const std::string none;
    return project_ ? project_->Title : none;
}

// --- Pages -----------------------------------------------------------------------------------

void TMerrowinForm::TabSheet1Show(TObject*)
{
    titleLabel_->SetCaption("欢迎使用 " + Title() + " 安装程序");
    firstPageLabel_->SetCaption("下面将要安装 " + Title() + " 到系统中并设置其为默认墙纸. ");
}

void TMerrowinForm::TabSheet2Show(TObject*)
{
    licenseMemo_->SetText(project_ ? project_->License.Text() : std::string());
}

void TMerrowinForm::TabSheet3Show(TObject*)
{
    progressBar_->SetPosition(0);
    progressBar_->SetMin(0);
    progressBar_->SetMax(10);
    timer_->SetEnabled(true);
}

void TMerrowinForm::suiButton1Click(TObject*)
{
    const bool noLicence = !project_ || project_->License.Count() == 0;
    pageControl_->SetActivePageIndex(noLicence ? kProgressPage : kLicencePage);
}

void TMerrowinForm::suiButton2Click(TObject*) { ConfirmCancel(); }
void TMerrowinForm::suiButton5Click(TObject*) { ConfirmCancel(); }
void TMerrowinForm::AcceptRadioButtonClick(TObject*) { UpdateNextButton(); }
void TMerrowinForm::suiRadioButton2Click(TObject*) { UpdateNextButton(); }
void TMerrowinForm::suiButton3Click(TObject*) { pageControl_->SetActivePageIndex(kWelcomePage); }
void TMerrowinForm::suiButton4Click(TObject*) { pageControl_->SetActivePageIndex(kProgressPage); }
void TMerrowinForm::suiButton6Click(TObject*) { Close(); }

void TMerrowinForm::ConfirmCancel()
{
    if (Application && Application->MessageBox("真的要退出安装程序吗?", "消息", MB_YESNO) == IDYES)
        Close();
}

void TMerrowinForm::UpdateNextButton()
{
    nextOnLicencePage_->SetEnabled(acceptRadioButton_->Checked());
}

// --- The installation run ----------------------------------------------------------------------

void TMerrowinForm::TimerTimer(TObject*)
{
    timer_->SetEnabled(false);
    if (!project_ || !movieStream_ || !context_.services)
        return;
    // Settings that failed part way install with what was read, as the start-up box warned;
    // a movie that was never read would be written as an empty file and called a success.
    if (!movieLoaded_)
        throw Exception(loadError_);
    RunInstallation(*project_, *movieStream_, *context_.services, *this);
}

void TMerrowinForm::ShowProgress(int position)
{
    progressBar_->SetPosition(position);
}

void TMerrowinForm::Pause(int milliseconds)
{
    if (Application)
        Application->Sleep(static_cast<uint32_t>(milliseconds));
}

void TMerrowinForm::ShowFinished(const std::string& targetFolder)
{
    removeLabel_->SetCaption(targetFolder);
    pageControl_->SetActivePageIndex(kFinishPage);
}
