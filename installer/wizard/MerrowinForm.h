#pragma once

#include "installer/project/Project.h"
#include "installer/run/InstallationRun.h"
#include "toolkit/forms/Form.h"
#include "toolkit/streams/MemoryStream.h"

#include <memory>
#include <string>
#include <vector>

class SystemServices;
class TLabel;
class TMemo;
class TPicture;
class TResourceLocator;
class TPageControl;
class TTimer;
class TsuiButton;
class TsuiForm;
class TsuiProgressBar;
class TsuiRadioButton;

// What the wizard needs from the program around it.
struct TWizardContext {
    SystemServices* services = nullptr;
    std::string executablePath;          // the installer file, whose payload the wizard reads
    std::vector<std::string> arguments;  // after the program name
};

// The installer's window: four pages (welcome, licence, progress, finish) in one skinned
// dialog, built from the stored layout resources/wizard/wizard.layout. Creating it reads the
// layout, which makes every control and skin object and then runs FormCreate: the payload is
// read from the installer file. A failure there is shown in the error box and the window
// still opens, with whatever was loaded (an empty title when nothing was).
class TMerrowinForm : public TForm, private TInstallationView {
public:
    TMerrowinForm(TComponent* owner, TWizardContext context);

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // What FormCreate loaded; nullptr after FormClose.
    const TProject* Project() const { return project_.get(); }
    const TMemoryStream* MovieStream() const { return movieStream_.get(); }

    // --- Event handlers, as the layout names them ------------------------------------------------
    void FormCreate(TObject* sender);
    void FormShow(TObject* sender);
    void FormClose(TObject* sender, TCloseAction& action);
    void TabSheet1Show(TObject* sender);
    void TabSheet2Show(TObject* sender);
    void TabSheet3Show(TObject* sender);
    void suiButton1Click(TObject* sender);
    void suiButton2Click(TObject* sender);
    void suiButton5Click(TObject* sender);
    void AcceptRadioButtonClick(TObject* sender);
    void suiRadioButton2Click(TObject* sender);
    void suiButton3Click(TObject* sender);
    void suiButton4Click(TObject* sender);
    void suiButton6Click(TObject* sender);
    void TimerTimer(TObject* sender);

private:
    void DefineHandlers();
    void FindControls();
    void KeepClientSize();
    void UpdateNextButton();
    void ConfirmCancel();
    bool StartedWithArgument() const;
    const std::string& Title() const;

    // The installation run's view of this window.
    void ShowProgress(int position) override;
    void Pause(int milliseconds) override;
    void ShowFinished(const std::string& targetFolder) override;

    TWizardContext context_;
    std::unique_ptr<TProject> project_;
    std::unique_ptr<TMemoryStream> movieStream_;
    std::string loadError_;    // why FormCreate stopped; empty when it read everything
    bool movieLoaded_ = false; // the movie was read, whatever became of the settings after it

    TsuiForm* suiForm_ = nullptr;
    TPageControl* pageControl_ = nullptr;
    TLabel* titleLabel_ = nullptr;
    TLabel* firstPageLabel_ = nullptr;
    TMemo* licenseMemo_ = nullptr;
    TsuiRadioButton* acceptRadioButton_ = nullptr;
    TsuiButton* nextOnLicencePage_ = nullptr;
    TsuiProgressBar* progressBar_ = nullptr;
    TLabel* removeLabel_ = nullptr;
    TTimer* timer_ = nullptr;
};

// Makes the classes the wizard's layout names known to the layout reader. Call once at
// start-up, before the first TMerrowinForm.
void RegisterWizardClasses();

// The stored layout and the resources it names, embedded in the program.
std::string_view WizardLayout();
const TResourceLocator& WizardResources();
// The program's icon (the taskbar's, and the title bar's application icon).
void LoadWizardIcon(TPicture& icon);
