-- Links between the guide's Markdown pages ("cli.md", "formats.md#x") point to the HTML pages.
function Link(link)
  link.target = link.target:gsub("^([%w%-_]+)%.md$", "%1.html"):gsub("^([%w%-_]+)%.md#", "%1.html#")
  return link
end
