"""Prints the sheets of an XLSX workbook as JSON, as a spreadsheet program
reads them: [{"name": NAME, "rows": [[CELL, ...], ...]}, ...], a cell being
a number, a string or null when it is empty. The report export tests compare
this with what they expect."""
import json
import sys

import openpyxl

book = openpyxl.load_workbook(sys.argv[1])
sheets = [{"name": sheet.title,
           "rows": [list(row) for row in sheet.iter_rows(values_only=True)]}
          for sheet in book.worksheets]
json.dump(sheets, sys.stdout)
