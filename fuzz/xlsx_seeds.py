# Seeds of the workbook fuzzer: workbook parts as text (the fuzz target reads "workbook -- sheet
# -- shared strings" inputs as well as whole packages), one per kind of sheet content.
import sys
main = 'xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"'
rel = 'xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"'
book = ('<workbook %s %s><bookViews><workbookView activeTab="0"/></bookViews><sheets>'
        '<sheet name="S" sheetId="1" r:id="rId1"/></sheets><calcPr/></workbook>' % (main, rel))
strings = '<sst %s><si><t>a</t></si><si><r><t>b</t></r><rPh><t>c</t></rPh></si></sst>' % main
sheets = [
    '<sheetData><row r="1"><c r="A1" t="s"><v>1</v></c><c r="B1"><f t="shared" ref="B1:B3" '
    'si="0">A1*2</f><v>2</v></c></row><row r="2"><c r="B2"><f t="shared" si="0"/><v>4</v></c>'
    '<c r="C2" t="inlineStr"><is><t>x&amp;y</t></is></c></row></sheetData>',
    '<dimension ref="A1:C3"/><sheetViews><sheetView><pane activePane="bottomLeft"/><selection '
    'pane="bottomLeft" sqref="B2:B4 C9"/></sheetView></sheetViews><cols><col min="1" max="2" '
    'style="1"/></cols><sheetData><row r="3" s="2" customFormat="1"/><row><c><v>1</v></c>'
    '<c t="b"><v>0</v></c><c t="e"><v>#N/A</v></c><c t="d"><v>2024-01-02T06:00:00</v></c>'
    '</row></sheetData>',
    '<sheetData/><mergeCells><mergeCell ref="A1:B2"/></mergeCells>',
]
for i, data in enumerate(sheets):
    with open("%s/parts-%d.txt" % (sys.argv[1], i), "w") as f:
        f.write(book + "\n--\n<worksheet %s>%s</worksheet>\n--\n" % (main, data) + strings)
