// How each control describes itself to a screen reader, without platform calls: its role,
// name, value, states and default action from the few facts the control knows. The
// controls gather the facts and call these; the tests call them directly. Every text a
// user hears (default actions, scroll-bar names) goes through the dictionary; names and
// values are the controls' own texts, already in the window's language. Places are left at
// 0: the controls fill them in.
#pragma once

#include "foundation/DStringList.h"
#include "framework/Accessible.h"

DAccessibleInfo accessibleButton(const DString& caption, const DControlFacts& facts,
                                 bool isDefault, bool pressed);
DAccessibleInfo accessibleCheckBox(const DString& caption, const DControlFacts& facts,
                                   bool checked, bool pressed);
// A single-line field named by its label. A password field is protected and never tells
// its text.
DAccessibleInfo accessibleField(const DString& name, const DString& value, bool password,
                                const DControlFacts& facts);
DAccessibleInfo accessibleComboBox(const DString& name, const DString& value, bool open,
                                   const DControlFacts& facts);
// The combo box's arrow button: "Open" while the list is closed, "Close" while it is open.
DAccessibleInfo accessibleDropButton(bool open, bool enabled);
DAccessibleInfo accessibleList(const DString& name, const DControlFacts& facts);
// A row of a list: named by its first cell; its value tells the other cells with their
// column titles ("Status: Idle, New mails: 3").
DAccessibleInfo accessibleListRow(const DStringList& cells, const DStringList& titles,
                                  bool selected, bool listFocused, bool shown);
DAccessibleInfo accessibleColumnHeader(const DString& title, bool shown);
// The row of column titles itself: a group without a name of its own.
DAccessibleInfo accessibleHeader();
DAccessibleInfo accessibleScrollBar(bool horizontal, unsigned position, bool active,
                                    bool enabled);
// The wait bar: a progress bar named after its group, animated while it runs.
DAccessibleInfo accessibleWaitBar(const DString& name, bool running, bool visible);
DAccessibleInfo accessibleStaticText(const DString& text, bool visible);
DAccessibleInfo accessibleGroup(const DString& title, bool visible);

// Menus: the popup itself, and one of its items. A separator is a separator; an item that
// opens a submenu has a popup and the default action "Open", others "Execute".
DAccessibleInfo accessibleMenu(bool open);
DAccessibleInfo accessibleMenuItem(const DString& text, bool separator, bool enabled,
                                   bool checked, bool hasSubmenu, bool hot, bool menuOpen);
// The combo box's drop-down list and one of its rows.
DAccessibleInfo accessibleDropList(const DString& name, bool open);
DAccessibleInfo accessibleDropListRow(const DString& text, bool hot, bool shown);

// Tool tips are tool tips; the notification box is an alert, so the news is read out.
DAccessibleInfo accessibleToolTip(const DString& text, bool shown);
DAccessibleInfo accessibleAlert(const DString& text, bool shown);
