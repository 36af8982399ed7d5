// The wizard's pages. Each reads its keys from the definition file when it
// is shown and writes them back at the moments the wizard promises: at once
// for some changes, the rest when the page is left by Back or Next.
#pragma once
#include "../platform/BitmapButton.h"
#include "../platform/PropertySheet.h"
#include "../platform/String.h"
#include "../menu/Definition.h"
#include "../menu/DibImage.h"
#include "../workspace/EditorState.h"
#include <memory>

// The definition being edited, as every page reaches it.
inline CDefinitionFile EditedDefinition(const EditorState& state) { return CDefinitionFile(state.definitionPath); }

class CIntroduction : public CPropertyPage {
public:
    CIntroduction();

protected:
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;

private:
    CBitmapButton m_logo;
};

class CSetBackGr : public CPropertyPage {
public:
    explicit CSetBackGr(EditorState& state);

protected:
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    void DoDataExchange(bool save) override;

private:
    LRESULT OnListChange(WPARAM, LPARAM);
    LRESULT OnStockRadio(WPARAM, LPARAM);
    LRESULT OnOwnRadio(WPARAM, LPARAM);
    LRESULT OnBrowse(WPARAM, LPARAM);
    LRESULT OnEraseBkgnd(WPARAM, LPARAM);
    LRESULT OnTimer(WPARAM, LPARAM);

    void SetControlsFromKey();
    void SelectRadio(bool own);
    int Selection() const;
    void DrawPreview(int index);

    CDibImage m_preview;

    EditorState& m_state;

    DECLARE_MESSAGE_TABLE()
};

class CSelectTmplt : public CPropertyPage {
public:
    explicit CSelectTmplt(EditorState& state);

protected:
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    void DoDataExchange(bool save) override;

private:
    LRESULT OnListChange(WPARAM, LPARAM);
    int Selection() const;
    void ShowTemplate(int index);

    CBitmapButton m_preview;

    EditorState& m_state;

    DECLARE_MESSAGE_TABLE()
};

class CTextAction : public CPropertyPage {
public:
    explicit CTextAction(EditorState& state);

    static const int kSlots = def::kTexts;   // lines 1-12, heading 1, heading 2
    // The edit box of a slot: lines 5043-5054, headings 5055 and 5056.
    static int BoxOfSlot(int slot);

protected:
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    void DoDataExchange(bool save) override;

private:
    LRESULT OnMenuChange(WPARAM, LPARAM);
    LRESULT OnLineKillFocus(WPARAM, LPARAM);
    LRESULT OnActionButton(WPARAM, LPARAM);

    bool SaveCurrentMenu(const CDefinitionFile& file, const CDefinitionSnapshot& snapshot);
    void SaveLine(int slot);
    void ShowMenu(int menuIndex);
    CString& Stored(int menuIndex, int slot) { return m_store[menuIndex][slot]; }

    // The page's copy of every menu's texts, 200 x 14.
    std::unique_ptr<CString[][kSlots]> m_store;
    int m_current;
    // Key "500" as the page's creation read it, for the activation that follows.
    int m_layoutAtInit;
    bool m_layoutKnown;
    CBitmapButton m_actions[def::kLines];

    EditorState& m_state;

    DECLARE_MESSAGE_TABLE()
};

class CColorSound : public CPropertyPage {
public:
    explicit CColorSound(EditorState& state);

    static const int kSounds = 4;

protected:
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
    void DoDataExchange(bool save) override;

private:
    LRESULT OnNormalColor(WPARAM, LPARAM);
    LRESULT OnHighlightColor(WPARAM, LPARAM);
    LRESULT OnEraseBkgnd(WPARAM, LPARAM);
    LRESULT OnSetSound(WPARAM, LPARAM);
    LRESULT OnListen(WPARAM, LPARAM);

    void PickColor(const wchar_t* section, COLORREF& color);

    CString m_title;
    CString m_sound[kSounds];     // start-up, mouse-over, select, menu change
    COLORREF m_normal;
    COLORREF m_highlight;
    CBitmapButton m_buttons[10];

    EditorState& m_state;

    DECLARE_MESSAGE_TABLE()
};

class CFinish : public CPropertyPage {
public:
    CFinish();

protected:
    BOOL OnSetActive() override;

private:
    LRESULT OnFocusFinish(WPARAM, LPARAM);

    DECLARE_MESSAGE_TABLE()
};
