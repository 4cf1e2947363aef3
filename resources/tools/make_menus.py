#!/usr/bin/env python3
"""Writes resources/menus/en.json and resources/menus/ja.json.

The graph-window menus 130 to 133, 153 and 184 are copies of the full menu bar 129 that
differ only in the title of the temperature pop-up, so they are produced here from one
description rather than kept by hand. Run from anywhere; the output is committed.
"""
import json
import os

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "menus")

SEP = {"separator": True}


def item(text, cmd):
    return {"text": text, "id": cmd}


def popup(text, items):
    return {"text": text, "items": items}


# Per language: the texts of every item, keyed by command id, and the pop-up titles.
TEXTS = {
    "en": {
        "file": "&File", "edit": "&Edit", "temperature": "Temperature",
        "frequency": "&Frequency setting", "graph": "&Graph", "window": "&Window",
        32785: "Choose Another Capacitor", 57609: "Print Preview", 57607: "Print...",
        57606: "Print Setup...", 57665: "&Exit\tAlt+F4",
        32771: "Copy Graph to Clipboard", 32799: "Copy All Graphs to Clipboard ",
        32772: "Copy Data to Clipboard",
        32774: "-55°C", 32775: " 25°C", 32776: " 85°C", 32789: "105°C", 32777: "125°C",
        32802: "175°C", 32803: "200°C", 32778: "Custom ...",
        32794: "Set Measurement Point ...", 32795: "Delete Measurement Point",
        32780: "Show &Capacitance", 32782: "Show &ESR", 32779: "Show &Impedance",
        32781: "Show &DF", 32791: "Show Ripple &Voltage", 32792: "Show Ripple C&urrent",
        32797: "Show DC&L",
        32796: "E&Q. circuit diagram", 32798: "Generate &S-parameters",
        32800: "&Capacitors comparison",
        57650: "&Cascade", 57651: "Tile &Horizontally", 57652: "Tile &Vertically",
        32786: "&Next", 32787: "C&lose", 32788: "Close &All",
        57664: "&About ...",
        32801: "C&ancel comparison",
        32810: "Find by &Impedance...",
        32812: "Save &Graph As...", 32813: "Save &Data As...",
        32814: "Export SPICE &Model...", 32815: "S-parameters at Selected &Temperature...",
    },
    # Commands 32797, 32796, 32798, 32800 and "Copy All Graphs to Clipboard " keep their
    # English texts in the Japanese menus.
    "ja": {
        "file": "ファイル(&F)", "edit": "編集(&E)", "temperature": "温度",
        "frequency": "周波数設定(&F)", "graph": "グラフ(&G)", "window": "ウィンドウ(&W)",
        32785: "別のコンデンサを選択", 57609: "印刷プレビュー", 57607: "印刷...",
        57606: "印刷設定...", 57665: "終了(&X)\tAlt+F4",
        32771: "グラフをクリップボードにコピー", 32799: "Copy All Graphs to Clipboard ",
        32772: "データをクリップボードにコピー",
        32774: "-55°C", 32775: " 25°C", 32776: " 85°C", 32789: "105°C", 32777: "125°C",
        32802: "175°C", 32803: "200°C", 32778: "任意 ...",
        32794: "測定点の設定 ...", 32795: "測定点の削除",
        32780: "静電容量を表示(&C)", 32782: "ESR を表示(&E)", 32779: "インピーダンスを表示(&I)",
        32781: "DF を表示(&D)", 32791: "リップル電圧を表示(&V)", 32792: "リップル電流を表示(&U)",
        32797: "Show DC&L",
        32796: "E&Q. circuit diagram", 32798: "Generate &S-parameters",
        32800: "&Capacitors comparison",
        57650: "重ねて表示(&C)", 57651: "上下に並べて表示(&H)", 57652: "左右に並べて表示(&V)",
        32786: "次へ(&N)", 32787: "閉じる(&L)", 32788: "すべて閉じる(&A)",
        57664: "バージョン情報(&A) ...",
        32801: "比較の取消(&A)",
        32810: "インピーダンスで検索(&I)...",
        32812: "グラフを保存(&G)...", 32813: "データを保存(&D)...",
        32814: "SPICE モデルを書き出し(&M)...", 32815: "選択温度の S パラメータ(&T)...",
    },
}

# The mnemonic of the temperature pop-up exists in menu 129 only.
TEMPERATURE_WITH_MNEMONIC = {"en": "&Temperature", "ja": "温度(&T)"}


def file_menu(t):
    return popup(t["file"], [item(t[32785], 32785), SEP, item(t[57609], 57609),
                             item(t[57607], 57607), item(t[57606], 57606), SEP,
                             item(t[57665], 57665)])


def full_bar(t, temperature_title, with_graph_windows):
    bar = [file_menu(t)]
    if with_graph_windows:
        bar.append(popup(t["edit"], [item(t[32771], 32771), item(t[32799], 32799), SEP,
                                     item(t[32772], 32772)]))
    bar.append(popup(temperature_title,
                     [item(t[c], c) for c in (32774, 32775, 32776, 32789, 32777, 32802,
                                              32803, 32778)]))
    if with_graph_windows:
        bar.append(popup(t["frequency"], [item(t[32794], 32794), item(t[32795], 32795)]))
    bar.append(popup(t["graph"], [item(t[32780], 32780), item(t[32782], 32782),
                                  item(t[32779], 32779), item(t[32781], 32781), SEP,
                                  item(t[32791], 32791), item(t[32792], 32792), SEP,
                                  item(t[32797], 32797)]))
    bar += [item(t[32796], 32796), item(t[32798], 32798), item(t[32800], 32800)]
    if with_graph_windows:
        bar.append(popup(t["window"], [item(t[57650], 57650), item(t[57651], 57651),
                                       item(t[57652], 57652), SEP, item(t[32786], 32786),
                                       SEP, item(t[32787], 32787), item(t[32788], 32788)]))
    bar.append(item(t[57664], 57664))
    return bar


def comparison_bar(t, with_graph_windows):
    bar = [file_menu(t)]
    if with_graph_windows:
        bar.append(popup(t["edit"], [item(t[32771], 32771), item(t[32799], 32799)]))
    bar.append(popup(t["graph"], [item(t[32780], 32780), item(t[32782], 32782),
                                  item(t[32779], 32779), item(t[32781], 32781)]))
    bar += [item(t[32800], 32800), item(t[32801], 32801)]
    return bar


# Menu 194: the commands beyond the design's menus. The frame inserts its items into the menu
# that holds "Choose Another Capacitor" (32785), right after that item, in every layout.
def additions(t):
    return [popup(t["file"], [item(t[32810], 32810), SEP,
                              item(t[32812], 32812), item(t[32813], 32813), SEP,
                              item(t[32814], 32814), item(t[32815], 32815)])]


def menus_for(lang):
    t = TEXTS[lang]
    menus = {"128": full_bar(t, t["temperature"], False),
             "129": full_bar(t, TEMPERATURE_WITH_MNEMONIC[lang], True)}
    for copy in (130, 131, 132, 133, 153, 184):
        menus[str(copy)] = full_bar(t, t["temperature"], True)
    if lang == "en":
        menus["192"] = comparison_bar(t, True)
        menus["193"] = comparison_bar(t, False)
    menus["194"] = additions(t)
    return menus


def main():
    for lang in ("en", "ja"):
        path = os.path.join(OUT, lang + ".json")
        with open(path, "w", encoding="utf-8", newline="\n") as f:
            json.dump(menus_for(lang), f, ensure_ascii=False, indent=1)
            f.write("\n")


if __name__ == "__main__":
    main()
