// SPDX-License-Identifier: MIT
/*
 * sylvanode-filter.js - a filter for the menus of sylvanode-tree.js, for sites that want one.
 * Include it after the library:
 *
 *   var n = tree.filter("query");   // the number of matching items
 *   tree.filter("");                // back to the menu as it was
 *
 * The query matches titles, case-insensitively, and hints when the menu shows hints. Items that do
 * not match are hidden; the folders on the way to a match are shown and opened, and the match is
 * marked with <mark>. Only the first 300 matches are opened up; a note after the menu says how many
 * more there are. While a filter is on, aria-posinset/aria-setsize count the rows shown and the
 * keys skip the hidden ones; the folders it opened are never remembered, and filter("") brings back
 * exactly the folders that were open before. Each call dispatches "sylvanode-filter"
 * { query, matches } from the menu element. Calls are not delayed: a caller that filters while
 * the visitor types waits for a pause itself. Matching reads the menu's node array, not its items:
 * only the folders on the way to a match are made. Once a menu is ready, the texts are prepared
 * in small slices, so that the first filter of a large menu is as quick as the next.
 *
 * Without code: an element data-sylvanode-filter="LABEL" around a menu gets a search box labelled
 * LABEL before the menu and a polite live region with the number of matches.
 */
(function (W, D) {
  "use strict";
  var Tree = W.Tree_treeView, build = W.Tree_buildTree, most = 300, made = 0;
  if (!D || !Tree) return;

  function zh() {
    return /^zh/i.test(D.documentElement.lang);
  }

  // Sets an attribute when it changes (a change makes the browser look at the row again).
  function set(e, name, value) {
    if (e.getAttribute(name) != value) e.setAttribute(name, value);
  }

  // Redraws a row as the filter has it (m.vis set) or as the menu has it.
  function paint(m, it) {
    var v = m.vis, on = !v || v[it.x], a = it.a, t = it.n, q = m.q, i = 0, l, j;
    if (!on && it.r.style.display) return; // hidden, and stays so
    it.r.style.display = on ? "" : "none";
    if (it.g) it.g.style.display = on ? "" : "none";
    set(a, "aria-posinset", v ? m.pos[it.x] : it.j + 1);
    set(a, "aria-setsize", v ? m.pos[v.length + it.p.x + 1] : it.p.c.length);
    if (v && v[it.x] > 1 && (l = t.toLowerCase()).indexOf(q) >= 0) {
      if (a.q == q) return; // marked for this query already
      a.q = q;
      a.textContent = "";
      for (; (j = l.indexOf(q, i)) >= 0; i = j + q.length) {
        a.append(t.slice(i, j));
        a.appendChild(D.createElement("mark")).textContent = t.slice(j, j + q.length);
      }
      a.append(t.slice(i));
    } else if (a.q) {
      a.q = "";
      a.textContent = t;
    }
  }

  function str(v) {
    return v == null ? "" : "" + v;
  }

  // The text of each item that a query is matched on (title, and hint when hints are shown), in
  // lower case, for up to ms milliseconds; true when all are there.
  function prepare(m, ms) {
    var q = m.q8 = m.q8 || [], t = Date.now(), x = q.length, i;
    for (; x < m.root.e && (x & 255 || Date.now() - t < ms); x++) {
      i = m.at[x];
      q[x] = (str(m.N[i + 1]) + (m.T.useHint ? "\n" + str(m.N[i + 2]) : "")).toLowerCase();
    }
    return x >= m.root.e;
  }

  function filter(box, query) {
    var m = box && box.sn, T = m && m.T, q = str(query).toLowerCase(), count = 0, n, up, t, x, it, f, v, p, note;
    if (!m || !T.element || m.root.e == null) return 0;
    prepare(m, Infinity);
    n = m.root.e;
    up = m.up;
    t = m.q8;
    if (q) {
      if (!m.vis) {
        // The folders open before the filter: remembered instead of what the filter opens.
        m.keep = m.all.filter(function (f) { return f.o; }).map(function (f) { return f.x; });
        m.skip = function (it) { return !m.vis[it.x]; };
        m.row = function (it) { paint(m, it); };
      }
      // 2: a match, 1: on the way to one; the first `most` matches only.
      v = new Uint8Array(n);
      for (x = 0; x < n; x++) {
        if (t[x].indexOf(q) < 0 || ++count > most) continue;
        v[x] = 2;
        for (f = up[x] - 1; f >= 0 && !v[f]; f = up[f] - 1) v[f] = 1;
      }
      // Positions among the rows shown, then (from n + 1 + the folder's index on) each folder's
      // count of them.
      p = new Int32Array(2 * n + 1);
      for (x = 0; x < n; x++) if (v[x]) p[x] = ++p[n + up[x]];
      // Bottom up, so that the rows at the top are drawn first.
      for (x = n; x--;) if (v[x] && up[x] && !(f = m.get(up[x] - 1)).o) m.toggle(f, 1);
      m.vis = v;
      m.pos = p;
    } else if (m.vis) {
      v = new Uint8Array(n);
      m.keep.forEach(function (x) { v[x] = 1; });
      m.vis = m.keep = m.row = 0;
      m.skip = isFinite;
      m.all.forEach(function (f) { if (f.c && !f.o != !v[f.x]) m.toggle(f, v[f.x]); });
    }
    m.q = q;
    m.all.forEach(function (it) { if (it.r) paint(m, it); });
    // The tab stop moves off a hidden row, to the first row shown.
    it = box.querySelector("[tabindex='0']");
    f = m.vis && it && it.closest(".sn-r").sn;
    if (f && !m.vis[f.x]) m.all.some(function (s) {
      if (m.vis[s.x] && s.r) return it.tabIndex = -1, s.a.tabIndex = 0, 1;
    });
    note = m.note;
    if (count > most) {
      note = m.note = note || box.parentNode.insertBefore(D.createElement("p"), box.nextSibling);
      note.className = "sn-note";
      note.textContent = zh() ? "还有 " + (count - most) + " 项匹配" : count - most + " more matches";
    } else if (note) note.remove(), m.note = 0;
    m.done();
    box.dispatchEvent(new CustomEvent("sylvanode-filter", { bubbles: true, detail: { query: q ? "" + query : "", matches: count } }));
    return count;
  }

  Tree.prototype.filter = function (query) {
    return filter(this.element, query);
  };

  // Once a menu's items are known: they are prepared for filtering, and a menu inside
  // data-sylvanode-filter="LABEL" gets a search box before it and the count of matches.
  function attach(box) {
    var m = box && box.sn, h = m && box.closest("[data-sylvanode-filter]"), label, input, live, wait, end;
    if (!m || m.seen) return;
    m.seen = 1;
    (function step() {
      if (m.T.element && !prepare(m, 8)) setTimeout(step, 20);
    })();
    if (!h) return;
    label = D.createElement("label");
    label.className = "sn-filter";
    label.textContent = h.getAttribute("data-sylvanode-filter") + " ";
    input = label.appendChild(D.createElement("input"));
    input.type = "search";
    input.setAttribute("aria-controls", box.id = box.id || "sn-tree" + ++made);
    live = D.createElement("p");
    live.className = "sn-count";
    live.setAttribute("role", "status");
    live.setAttribute("aria-live", "polite");
    box.before(label, live);
    input.addEventListener("input", function () {
      clearTimeout(wait);
      wait = setTimeout(function () {
        var c = filter(box, input.value);
        live.textContent = !input.value ? "" : zh() ? c + " 项匹配" : c + (c == 1 ? " match" : " matches");
      }, 150);
    });
    end = m.T.destroy;
    m.T.destroy = function () {
      clearTimeout(wait);
      label.remove();
      live.remove();
      if (m.note) m.note.remove();
      return end.apply(this, arguments);
    };
  }

  function hosts() {
    [].forEach.call(D.querySelectorAll(".sn-t"), function (box) {
      if (box.sn) box.sn.T.ready.then(function () { attach(box); });
    });
  }

  // Menus built from now on, and those already there.
  if (build) W.Tree_buildTree = function (nodes, T) {
    var r = build.apply(this, arguments);
    if (T && T.ready) T.ready.then(function () { attach(T.element); });
    return r;
  };
  hosts();
  if (D.readyState == "loading") D.addEventListener("DOMContentLoaded", hosts);
})(typeof window == "object" ? window : 0, typeof document == "object" ? document : 0);
