#!/usr/bin/env python3
"""Writes the dialog templates resources/dialogs/<language>/<id>.ui.

Each template is described below in dialog units, the way the dialogs were first laid
out. Every control and the form keep them in the dynamic property dialogUnits (a rect);
the loader lays the dialog out from those with the metrics of the font it really uses.
The pixel geometry written beside them is only a preview at MS Sans Serif 8 pt's average
character size (6 x 13 pixels: x_px = x_du * 6 / 4, y_px = y_du * 13 / 8).

Every control that has an identifier gets it twice: as its object name ("1010") and as
the dynamic property controlId. Pictures name the bitmap or icon they show through the
dynamic properties bitmapId / iconId; the resource loader fills them in. Edits that take
digits only carry digitsOnly; the loader installs the validator. A template without a
caption carries noCaption. Run from anywhere; the output is committed.
"""
import os
from xml.sax.saxutils import escape

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "dialogs")

# Font of the templates of each language and its average character size in pixels.
FONTS = {"en": ("MS Sans Serif", 8), "ja": ("MS Mincho", 10)}
BASE = {"en": (6, 13), "ja": (7, 14)}
BASE_X, BASE_Y = BASE["en"]


def px_x(du):
    return (du * BASE_X + 2) // 4


def px_y(du):
    return (du * BASE_Y + 4) // 8


# A control: (kind, id or None, text, x, y, w, h, options). Kinds:
#   label, button, default, edit, password, digits, memo (multi-line read-only edit),
#   combo (drop-down list), group, check, radio, list (report list view), progress,
#   vscroll, bitmap (picture of a bitmap, text = bitmap id), icon (text = icon id),
#   area (plain picture area painted by its owner).
# Options: hidden, wrap, bottom (wrapped text sits at the bottom), center, notify, empty_item (one empty item in a drop-down list).
def c(kind, cid, text, x, y, w, h, *options):
    return (kind, cid, text, x, y, w, h, set(options))


NOTICE_1 = ("NOTICE: Specifications are subject to change without notice. All statements, "
            "information and data")
NOTICE_2 = ("given  herein are  believed  to  be accurate and  reliable, but  are presented  "
            "without  guarantee or responsibility of any  kind, expressed or implied. "
            "Specifications are typical  and  may not apply to all applications.")

EMAIL = "tantalum@vorn-components.example"
SAMPLE_1 = "QAKA106K016RNJ"
SAMPLE_2 = "QCLB336M006R0070"


# The filter columns of the selection dialog: caption key, list id, x and width.
FILTER_COLUMNS = (("cap", 1003, 14, 62), ("volt", 1004, 80, 66), ("case", 1005, 150, 44),
                  ("series", 1002, 198, 50), ("tol", 1007, 252, 52), ("esr", 1008, 308, 64))


def selection(t, height, cancel, ok):
    """The capacitor selection dialog; 131 and 150 differ only in height and buttons."""
    bottom = height - 22
    return [
        c("group", None, t["filter"], 7, 4, 372, 60),
        c("combo", 1042, "", 14, 15, 110, 12, "empty_item"),
        # Captions sit on the drop-down lists below them; the columns are as wide as their
        # captions need, so each caption keeps to one line.
        *[control for key, cid, x, w in FILTER_COLUMNS
          for control in (c("label", None, t[key], x, 27, w, 15, "wrap", "bottom"),
                          c("combo", cid, "", x, 43, w, 12))],
        c("list", 1006, "", 7, 70, 250, 102),
        c("bitmap", 1009, "", 262, 70, 117, 152, "hidden"),
        c("label", None, t["partno"], 7, 178, 52, 8),
        c("label", 1010, "", 60, 178, 120, 8),
        c("label", None, t["capv"], 7, 192, 58, 8),
        c("label", None, t["voltv"], 67, 192, 58, 8),
        c("label", None, t["casev"], 127, 192, 58, 8),
        c("label", None, t["dcl"], 187, 192, 66, 8),
        c("label", 1012, "", 7, 202, 58, 8),
        c("label", 1013, "", 67, 202, 58, 8),
        c("label", 1011, "", 127, 202, 58, 8),
        c("label", 1014, "", 187, 202, 66, 8),
        c("label", None, t["df"], 7, 216, 58, 8),
        c("label", 1046, t["esrv"], 67, 216, 84, 8),
        c("label", 1047, t["esl"], 155, 216, 58, 8),
        c("label", 1015, "", 7, 226, 58, 8),
        c("label", 1016, "", 67, 226, 84, 8),
        c("label", 1017, "", 155, 226, 58, 8),
        c("button", 1048, t["casesizes"], 262, 226, 117, 14),
        # The dialog paints an etched separator at y = 421 px (259 du); the notice and the
        # buttons sit below it.
        c("label", None, NOTICE_1, 7, 265, 372, 10, "wrap"),
        c("label", None, NOTICE_2, 7, 276, 372, 26, "wrap"),
        c("button", 1026, t["update"], 7, bottom, 84, 14),
        c("button", 2, cancel, 259, bottom, 58, 14),
        c("default", 1, ok, 321, bottom, 58, 14),
    ]


SELECT_TEXTS = {
    "en": {"filter": "Filter", "cap": "Capacitance [µF]", "volt": "Rated Voltage [V]",
           "case": "Case", "series": "Series", "tol": "Tolerance", "esr": "ESR [mOhm]",
           "partno": "Vorn Part No. ", "capv": "Capacitance", "voltv": "Rated Voltage",
           "casev": "Case Size", "dcl": "DCL Max.", "df": "DF Max.",
           "esrv": "ESR Max. @100kHz", "esl": "ESL", "casesizes": "Case sizes",
           "update": "Update via Internet"},
    "ja": {"filter": "フィルタ", "cap": "容量 [µF]", "volt": "定格電圧 [V]",
           "case": "ケース", "series": "シリーズ", "tol": "許容差", "esr": "ESR [mOhm]",
           "partno": "Vorn 品番 ", "capv": "静電容量", "voltv": "定格電圧",
           "casev": "ケースサイズ", "dcl": "DCL 最大", "df": "DF 最大",
           "esrv": "ESR 最大値 @100kHz", "esl": "ESL", "casesizes": "ケースサイズ",
           "update": "オンライン更新"},
}


def about(t, w, h):
    label = t["contact_width"]
    return [
        c("icon", None, "128", 11, 12, 21, 20),
        c("label", None, t["version"], 40, 30, label, 8),
        c("label", None, t["issued"], 40, 42, w - 47, 17, "wrap"),
        c("default", 1, "OK", (w - 50) // 2, h - 20, 50, 14),
        c("label", 1019, EMAIL, 42 + label, 60, w - 49 - label, 8),
        c("label", None, t["contact"], 40, 60, label, 8),
        c("label", 1021, "ZeltaIII", 40, 10, 120, 16),
        c("label", 1020, "x.xx", 42 + label, 30, 40, 8),
        # The dialog paints an etched separator at y = 150 px (92 du) below this line.
        c("label", None, t["credit"], 40, 74, w - 47, 8),
    ]


ABOUT_TEXTS = {
    "en": {"title": "About ZeltaIII", "version": "Version:",
           "issued": "Issued by Vorn Technical Marketing Tantalum Division",
           "contact": "Contact:", "contact_width": 40,
           "credit": "Programming: ZeltaIII development team"},
    "ja": {"title": "ZeltaIII のバージョン情報", "version": "バージョン:",
           "issued": "発行: Vorn タンタル事業部 技術マーケティング",
           "contact": "お問い合わせ:", "contact_width": 56,
           "credit": "プログラム: ZeltaIII 開発チーム"},
}


def custom_temperature(t):
    return [
        c("edit", 1017, "", 8, 10, 50, 12),
        c("label", None, "°C", 61, 12, 14, 8),
        c("default", 1, "OK", 8, 32, 50, 14),
        c("button", 2, t["cancel"], 64, 32, 50, 14),
    ]


def measurement_point(t):
    return [
        c("label", None, t["frequency"], 7, 9, 38, 8),
        c("edit", 1023, "", 46, 7, 60, 12),
        c("label", None, "Hz", 109, 9, 14, 8),
        c("group", 1025, t["temperature"], 7, 24, 113, 32),
        c("radio", 1022, "25°C", 14, 38, 44, 10),
        c("radio", 1024, "Name", 62, 38, 52, 10, "hidden"),
        c("default", 1, "OK", 129, 7, 50, 14),
        c("button", 2, t["cancel"], 129, 25, 50, 14),
    ]


def checking(t, w):
    return [c("label", None, t["checking"], 6, 14, w - 12, 8, "center")]


def download(t, w):
    return [
        c("button", 2, t["cancel"], (w - 50) // 2, 42, 50, 14),
        c("label", None, t["status"], 7, 10, 32, 8),
        c("label", 1028, t["connecting"], 42, 10, w - 49, 8),
        c("progress", 1027, "", 7, 24, w - 14, 12),
    ]


def proxy(t):
    return [
        c("check", 1029, t["use"], 7, 7, 120, 10),
        c("group", 1032, t["server"], 7, 20, 191, 46),
        c("label", 1033, t["address"], 14, 33, 36, 8),
        c("edit", 1030, "", 54, 31, 138, 12),
        c("label", 1034, t["port"], 14, 49, 36, 8),
        c("digits", 1031, "", 54, 47, 40, 12),
        c("label", 1035, t["user"], 7, 76, 46, 8),
        c("edit", 1037, "", 54, 74, 144, 12),
        c("label", 1036, t["password"], 7, 92, 46, 8),
        c("password", 1038, "", 54, 90, 144, 12),
        c("check", 1039, t["save"], 54, 106, 100, 10),
        c("default", 1, "OK", 93, 120, 50, 14),
        c("button", 2, t["cancel"], 148, 120, 50, 14),
    ]


SMALL_TEXTS = {
    "en": {"cancel": "Cancel", "frequency": "Frequency", "temperature": "Temperature",
           "checking": "Checking for update ... please wait", "status": "Status: ",
           "connecting": "Connecting ...", "use": "Use proxy server",
           "server": "Proxy server", "address": "Address", "port": "Port",
           "user": "User Name", "password": "Password", "save": "Save password",
           "custom": "Custom Temperature", "measure": "Set Measurement Point",
           "download": "New version download", "proxy": "Proxy server settings"},
    "ja": {"cancel": "キャンセル", "frequency": "周波数", "temperature": "温度",
           "checking": "更新を確認しています ... お待ちください", "status": "状態: ",
           "connecting": "接続しています ...", "use": "プロキシサーバーを使用する",
           "server": "プロキシサーバー", "address": "アドレス", "port": "ポート",
           "user": "ユーザー名", "password": "パスワード", "save": "パスワードを保存する",
           "custom": "任意の温度", "measure": "測定点の設定",
           "download": "新しいバージョンのダウンロード", "proxy": "プロキシサーバーの設定"},
}


def model(bitmap_id, picture_w):
    return [
        c("bitmap", 1051, str(bitmap_id), 7, 7, picture_w, 138, "notify"),
        c("memo", 1050, "", picture_w + 11, 7, 0, 138),  # width set by the caller
    ]


def model_dialog(bitmap_id, picture_w, width):
    controls = model(bitmap_id, picture_w)
    kind, cid, text, x, y, _, h, opts = controls[1]
    controls[1] = (kind, cid, text, x, y, width - x - 7, h, opts)
    return controls


COMPARE = [
    c("label", None, "Following capacitors will be compared:", 7, 7, 200, 8),
    c("group", None, "", 7, 18, 201, 44),
    c("label", 1056, "Capacitor 1: " + SAMPLE_1, 14, 30, 140, 8),
    c("button", 1054, "Select ...", 158, 27, 44, 14),
    c("label", 1057, "Capacitor 2: " + SAMPLE_2, 14, 46, 140, 8),
    c("button", 1055, "Select ...", 158, 43, 44, 14),
    c("button", 2, "Cancel", 104, 67, 50, 14),
    c("default", 1, "OK", 158, 67, 50, 14),
]

# The lists are as narrow as their entries allow, so the bar fits a tiled leakage window.
DIALOG_BAR = [
    c("label", None, "Application voltage (% of Vr)", 4, 4, 104, 8),
    c("combo", 1052, "", 110, 2, 44, 12),
    c("label", None, "Temperature", 160, 4, 46, 8),
    c("combo", 1053, "", 208, 2, 44, 12),
]


def templates():
    """(language, id, title or None, width, height, root class, controls)."""
    out = []
    for lang, dims in (("en", {100: (217, 122), 131: (386, 338), 150: (386, 337),
                               149: (136, 52), 154: (186, 62), 158: (155, 36),
                               159: (186, 63), 160: (205, 140)}),
                       ("ja", {100: (233, 126), 131: (392, 342), 150: (392, 341),
                               149: (131, 54), 154: (196, 64), 158: (175, 36),
                               159: (200, 65), 160: (221, 142)})):
        a, s, k = ABOUT_TEXTS[lang], SELECT_TEXTS[lang], SMALL_TEXTS[lang]
        ok_cancel = {"en": ("Quit", "Next >>", "Cancel", "OK"),
                     "ja": ("終了", "次へ >>", "キャンセル", "OK")}[lang]
        out += [
            (lang, 100, a["title"], *dims[100], "QDialog", about(a, *dims[100])),
            (lang, 131, "ZeltaIII", *dims[131], "QDialog",
             selection(s, dims[131][1], ok_cancel[0], ok_cancel[1])),
            (lang, 150, "ZeltaIII", *dims[150], "QDialog",
             selection(s, dims[150][1], ok_cancel[2], ok_cancel[3])),
            (lang, 149, k["custom"], *dims[149], "QDialog", custom_temperature(k)),
            (lang, 154, k["measure"], *dims[154], "QDialog", measurement_point(k)),
            (lang, 158, None, *dims[158], "QDialog", checking(k, dims[158][0])),
            (lang, 159, k["download"], *dims[159], "QDialog", download(k, dims[159][0])),
            (lang, 160, k["proxy"], *dims[160], "QDialog", proxy(k)),
        ]
    out += [
        ("en", 130, None, 443, 266, "QDialog", [c("area", 1018, "", 0, 0, 443, 266, "notify")]),
        ("en", 176, "Case Sizes", 789, 207, "QDialog",
         [c("area", 1049, "", 0, 0, 779, 207), c("vscroll", 1058, "", 779, 0, 10, 207)]),
        ("en", 181, "Model", 511, 151, "QDialog", model_dialog(178, 419, 511)),
        ("en", 182, "Model", 405, 151, "QDialog", model_dialog(179, 310, 405)),
        ("en", 183, "Model", 447, 151, "QDialog", model_dialog(180, 354, 447)),
        ("en", 185, None, 358, 15, "QWidget", DIALOG_BAR),
        ("en", 189, "Case Sizes", 479, 354, "QDialog", [c("bitmap", 1049, "188", 0, 0, 479, 354)]),
        ("en", 191, "Capacitors comparison", 215, 87, "QDialog", COMPARE),
    ]
    return out


def prop(name, body, dynamic=False):
    stdset = ' stdset="0"' if dynamic else ""
    return f'<property name="{name}"{stdset}>{body}</property>'


def string(text):
    return f"<string>{escape(text)}</string>"


def geometry(x, y, w, h):
    return (f"<rect><x>{x}</x><y>{y}</y><width>{w}</width><height>{h}</height></rect>")


WIDGET_CLASS = {
    "label": "QLabel", "button": "QPushButton", "default": "QPushButton", "edit": "QLineEdit",
    "password": "QLineEdit", "digits": "QLineEdit", "memo": "QPlainTextEdit",
    "combo": "QComboBox", "group": "QGroupBox", "check": "QCheckBox", "radio": "QRadioButton",
    "list": "QTreeView", "progress": "QProgressBar", "vscroll": "QScrollBar",
    "bitmap": "QLabel", "icon": "QLabel", "area": "QLabel",
}


def control_xml(index, control):
    kind, cid, text, x, y, w, h, opts = control
    name = str(cid) if cid is not None else f"control_{index}"
    props = [prop("geometry", geometry(px_x(x), px_y(y), px_x(w), px_y(h))),
             prop("dialogUnits", geometry(x, y, w, h), dynamic=True)]
    if cid is not None:
        props.append(prop("controlId", f"<number>{cid}</number>", dynamic=True))
    if kind in ("label", "button", "default", "check", "radio") and text:
        props.append(prop("text", string(text)))
    if kind == "group":
        props.append(prop("title", string(text)))
    if kind == "label":
        props.append(prop("textFormat", "<enum>Qt::PlainText</enum>"))
        if "wrap" in opts:
            props.append(prop("wordWrap", "<bool>true</bool>"))
            vertical = "Qt::AlignBottom" if "bottom" in opts else "Qt::AlignTop"
            props.append(prop("alignment", f"<set>Qt::AlignLeft|{vertical}</set>"))
        if "center" in opts:
            props.append(prop("alignment", "<set>Qt::AlignCenter</set>"))
    if kind in ("button", "default"):
        props.append(prop("autoDefault", "<bool>true</bool>"))
    if kind == "default":
        props.append(prop("default", "<bool>true</bool>"))
    if kind == "password":
        props.append(prop("echoMode", "<enum>QLineEdit::Password</enum>"))
    if kind == "digits":
        props.append(prop("digitsOnly", "<bool>true</bool>", dynamic=True))
    if kind == "memo":
        props.append(prop("readOnly", "<bool>true</bool>"))
        props.append(prop("lineWrapMode", "<enum>QPlainTextEdit::NoWrap</enum>"))
    if kind == "list":
        props += [prop("headerHidden", "<bool>true</bool>"),
                  prop("rootIsDecorated", "<bool>false</bool>"),
                  prop("uniformRowHeights", "<bool>true</bool>"),
                  prop("allColumnsShowFocus", "<bool>true</bool>"),
                  prop("selectionMode", "<enum>QAbstractItemView::SingleSelection</enum>"),
                  prop("selectionBehavior", "<enum>QAbstractItemView::SelectRows</enum>"),
                  prop("editTriggers", "<set>QAbstractItemView::NoEditTriggers</set>")]
    if kind == "progress":
        props += [prop("value", "<number>0</number>"), prop("textVisible", "<bool>false</bool>")]
    if kind == "vscroll":
        props.append(prop("orientation", "<enum>Qt::Vertical</enum>"))
    if kind == "bitmap" and text:
        props.append(prop("bitmapId", f"<number>{text}</number>", dynamic=True))
    if kind == "icon":
        props.append(prop("iconId", f"<number>{text}</number>", dynamic=True))
    if kind in ("bitmap", "icon", "area"):
        props.append(prop("alignment", "<set>Qt::AlignLeft|Qt::AlignTop</set>"))
    if "notify" in opts:
        props.append(prop("notify", "<bool>true</bool>", dynamic=True))
    if "hidden" in opts:
        props.append(prop("visible", "<bool>false</bool>"))
    body = "".join("\n   " + p for p in props)
    items = ""
    if "empty_item" in opts:
        items = "\n   <item>" + prop("text", string("")) + "</item>"
    return (f'  <widget class="{WIDGET_CLASS[kind]}" name="{name}">{body}{items}\n  </widget>\n')


def template_xml(lang, tid, title, w, h, root, controls):
    family, points = FONTS[lang]
    props = [prop("geometry", geometry(0, 0, px_x(w), px_y(h))),
             prop("dialogUnits", geometry(0, 0, w, h), dynamic=True),
             prop("font", f"<font><family>{escape(family)}</family>"
                          f"<pointsize>{points}</pointsize></font>"),
             prop("templateId", f"<number>{tid}</number>", dynamic=True)]
    if title is not None:
        props.append(prop("windowTitle", string(title)))
    else:
        props.append(prop("noCaption", "<bool>true</bool>", dynamic=True))
    head = "".join("\n  " + p for p in props)
    children = "".join(control_xml(i, ctl) for i, ctl in enumerate(controls))
    return (f'<?xml version="1.0" encoding="UTF-8"?>\n<ui version="4.0">\n'
            f'<class>Template{tid}</class>\n'
            f'<widget class="{root}" name="template{tid}">{head}\n{children}</widget>\n'
            f'<resources/>\n<connections/>\n</ui>\n')


def main():
    global BASE_X, BASE_Y
    for lang, tid, title, w, h, root, controls in templates():
        BASE_X, BASE_Y = BASE[lang]
        folder = os.path.join(OUT, lang)
        os.makedirs(folder, exist_ok=True)
        with open(os.path.join(folder, f"{tid}.ui"), "w", encoding="utf-8", newline="\n") as f:
            f.write(template_xml(lang, tid, title, w, h, root, controls))


if __name__ == "__main__":
    main()
