-- Builds a manual page from a page header (NAME, SYNOPSIS, DESCRIPTION, SEE ALSO, ...) followed by
-- a guide page whose title is the metadata field guide-title. The guide page's title is dropped and
-- its sections move up one level, so they follow DESCRIPTION as the manual's own sections; the
-- header's sections from SEE ALSO on go to the end. Tables become definition lists (first column
-- the term), which fit a terminal's width where groff's tables of long texts do not.
local function Pandoc(doc)
  local title = doc.meta["guide-title"] and pandoc.utils.stringify(doc.meta["guide-title"]) or nil
  local head, guide, tail = {}, {}, {}
  local part = head
  for _, b in ipairs(doc.blocks) do
    local skip = false
    if b.t == "Header" and b.level == 1 and part ~= guide then
      local text = pandoc.utils.stringify(b)
      if text == title then
        part, skip = guide, true
      elseif text == "SEE ALSO" then
        part = tail
      end
    elseif b.t == "Header" and part == guide then
      b.level = math.max(1, b.level - 1)
    end
    if not skip then table.insert(part, b) end
  end
  for _, b in ipairs(guide) do table.insert(head, b) end
  for _, b in ipairs(tail) do table.insert(head, b) end
  return pandoc.Pandoc(head, doc.meta)
end

local function Table(t)
  local simple = pandoc.utils.to_simple_table(t)
  local items = {}
  for _, row in ipairs(simple.rows) do
    local term = pandoc.utils.blocks_to_inlines(row[1])
    local definition = {}
    for i = 2, #row do
      for _, b in ipairs(row[i]) do table.insert(definition, b) end
    end
    table.insert(items, {term, {definition}})
  end
  return pandoc.DefinitionList(items)
end

return {{Table = Table}, {Pandoc = Pandoc}}
