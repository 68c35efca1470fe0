#!/usr/bin/env python3
"""Writes the sample data files of samples/data, one per sample format of samples/formats.

Each file is in its format's character set and line end; run it again after changing a
record below (the files are committed, so nobody else needs to).
"""
import pathlib
import struct

DATA = pathlib.Path(__file__).resolve().parent / "data"

# SalesCsv: quoted strings, numbers bare, doubled quotes inside quotes; Shift-JIS, CR LF.
SALES = [
    ("A1001", "ボールペン（黒）", 120, 110.0, "定番品"),
    ("A1002", "ボールペン（赤）", 85, 110.0, ""),
    ("A1010", "シャープペンシル 0.5mm", 64, 330.0, "新色あり"),
    ("B2001", "大学ノート A罫 5冊組", 40, 528.0, "学期始めに増産"),
    ("B2005", "方眼ノート B5", 22, 198.0, ""),
    ("C3001", "付箋 75×75mm", 150, 264.0, "黄・青・桃の3色"),
    ("C3002", "クリップ 大", 300, 99.0, "100本入り"),
    ("D4001", "ファイル \"A4 縦\"", 58, 165.0, "品名に引用符を含む例"),
    ("D4002", "クリアファイル 10枚", 75, 220.0, "透明, 半透明の2種"),
    ("E5001", "修正テープ", 48, 286.0, "詰め替え用は別品番"),
    ("E5002", "消しゴム", 210, 77.0, ""),
    ("F6001", "電卓 12桁", 12, 1980.0, "太陽電池式"),
]


def csv_field(text):
    return '"' + text.replace('"', '""') + '"'


def number(value):
    return ("%.2f" % value).rstrip("0").rstrip(".")


def write_sales():
    lines = []
    for code, name, qty, price, note in SALES:
        lines.append(",".join([csv_field(code), csv_field(name), str(qty), number(price),
                               csv_field(note)]))
    (DATA / "sales_sjis.csv").write_bytes(("\r\n".join(lines) + "\r\n").encode("cp932"))


# StockTsv: tab between fields, no quotes; EUC-JP, LF.
STOCK = [
    ("ST-0101", "コピー用紙 A4 500枚", 320, "東京第一"),
    ("ST-0102", "コピー用紙 B5 500枚", 145, "東京第一"),
    ("ST-0201", "トナー 黒", 18, "大阪"),
    ("ST-0202", "トナー シアン", 9, "大阪"),
    ("ST-0301", "段ボール箱 60サイズ", 540, "埼玉物流"),
    ("ST-0302", "段ボール箱 100サイズ", 210, "埼玉物流"),
    ("ST-0401", "梱包テープ 透明", 96, "東京第二"),
    ("ST-0402", "緩衝材 ロール", 33, "東京第二"),
    ("ST-0501", "封筒 長形3号", 1200, "名古屋"),
    ("ST-0502", "封筒 角形2号", 860, "名古屋"),
    ("ST-0601", "ラベルシール 24面", 75, "福岡"),
]


def write_stock():
    lines = ["\t".join([item, name, str(stock), place]) for item, name, stock, place in STOCK]
    (DATA / "stock_euc.tsv").write_bytes(("\n".join(lines) + "\n").encode("euc_jp"))


# StaffFixed: id 6 bytes right-justified with "0", name 20 and dept 10 left-justified with
# spaces, joined 8 bytes; widths in Shift-JIS bytes, CR LF.
STAFF = [
    (1021, "山田 太郎", "営業部", "20150401"),
    (1022, "佐藤 花子", "総務部", "20150401"),
    (1107, "鈴木 一郎", "開発部", "20160401"),
    (1153, "高橋 美咲", "開発部", "20170401"),
    (1208, "田中 健", "経理部", "20180701"),
    (1266, "伊藤 さくら", "人事部", "20190401"),
    (1301, "渡辺 翔太", "営業部", "20200401"),
    (1345, "中村 真由美", "品質管理", "20201001"),
    (1410, "小林 大輔", "開発部", "20210401"),
    (1472, "加藤 由紀", "総務部", "20220401"),
]


def pad(text, width):
    data = text.encode("cp932")
    assert len(data) <= width, text
    return data + b" " * (width - len(data))


def write_staff():
    lines = []
    for number_, name, dept, joined in STAFF:
        lines.append(b"%06d" % number_ + pad(name, 20) + pad(dept, 10) + joined.encode("ascii"))
    (DATA / "staff_fixed.txt").write_bytes(b"\r\n".join(lines) + b"\r\n")


# MeasureBin: a 16-byte header, then records of short, long, float, double and a 12-byte
# Shift-JIS label, little-endian and unpadded.
MEASURE = [
    (1, 10, 21.5, 1013.25, "第1測定点"),
    (2, 10, 21.75, 1012.5, "第2測定点"),
    (3, 12, 22.0, 1011.875, "屋上"),
    (4, 12, 22.25, 1011.0, "屋上"),
    (5, 8, 19.5, 1014.125, "地下倉庫"),
    (6, 8, 19.25, 1014.5, "地下倉庫"),
    (7, 15, 24.0, 1009.75, "会議室A"),
    (8, 15, 24.5, 1009.5, "会議室B"),
    (9, 20, -3.5, 1020.25, "冷凍庫"),
    (10, 20, -4.0, 1020.0, "冷凍庫"),
]


def write_measure():
    header = b"QLMEAS01" + struct.pack("<II", len(MEASURE), 20240401)
    assert len(header) == 16
    records = b"".join(struct.pack("<hlfd", seq, count, temp, value) + pad(label, 12)
                       for seq, count, temp, value, label in MEASURE)
    (DATA / "measure.bin").write_bytes(header + records)


if __name__ == "__main__":
    DATA.mkdir(exist_ok=True)
    write_sales()
    write_stock()
    write_staff()
    write_measure()
