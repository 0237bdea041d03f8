// SPDX-License-Identifier: MIT
// Types of the public API of sylvanode-tree: the names the ES module exports, which the classic
// script defines on window (generated menu scripts call them there).

/**
 * The node array of a menu, depth first, as a generated script writes it: a folder is
 * `0, title, hint, status, icon1, icon2, kind, script, link, target, -1` followed by its children
 * and `1`; a file is `2, title, hint, status, icon1, kind, script, link, target`; `5` ends the
 * array. kind 3 follows the link, 4 runs the script line. A very large array may come as
 * functions that each return a part of it.
 */
export type NodeArray = ArrayLike<unknown>;

/** A node array read from a list in the page, remembering where it came from. */
export interface ListNodeArray extends Array<unknown> {
  /** The list that was read; the menu takes its place. */
  list: HTMLUListElement | HTMLOListElement | null;
  /** The name it was read from (`data-sylvanode` of the element holding the list). */
  from: string;
}

/** `detail` of the bubbling `sylvanode-status` event. */
export interface TreeStatusDetail {
  /** The item's status text, "" when the pointer or the focus leaves the menu. */
  text: string;
  /** The item's index in the node array's depth-first order, -1 when leaving. */
  index: number;
}

/** `detail` of the cancelable `sylvanode-select` event, dispatched before a link is followed or a script runs. */
export interface TreeSelectDetail {
  /** The item's index in depth-first order. */
  index: number;
  /** The link as the browser resolves it, "" for an item without a link. */
  href: string;
  /** The frame the link opens in, "" for an item without a link. */
  target: string;
}

/** `detail` of the `sylvanode-toggle` event, after the visitor opened or closed a folder. */
export interface TreeToggleDetail {
  index: number;
  open: boolean;
}

/** `detail` of the `sylvanode-filter` event (sylvanode-filter.js), after a filter is applied. */
export interface TreeFilterDetail {
  /** The query as given, "" when the filter was taken off. */
  query: string;
  /** The number of matching items. */
  matches: number;
}

/** The options of one menu; a generated script sets them all before it calls Tree_buildTree. */
export declare class Tree_treeView {
  constructor();
  useImage: boolean;
  useTitleAsHint: boolean;
  useTitleAsStatus: boolean;
  useHint: boolean;
  useStatus: boolean;
  showSelect: boolean;
  showLine: boolean;
  /** Points per level. */
  Indent: number;
  /** Default icons of closed folders, open folders and files ("" for none). */
  folderImg1: string;
  folderImg2: string;
  fileImg: string;
  /** Directory of the node-line images, "" or ending in "/". */
  lineFolder: string;
  /** Default target frame of links. */
  target: string;
  /** Classes of the text cells (TD): normal, under the pointer, selected. */
  folderClass1: string;
  folderClass2: string;
  folderClass3: string;
  fileClass1: string;
  fileClass2: string;
  fileClass3: string;
  /** Set by Tree_buildTree: the element with role="tree"; null after destroy(). */
  element?: HTMLElement | null;
  /** Set by Tree_buildTree: fulfilled with the tree once the first rows are drawn. */
  ready?: Promise<Tree_treeView>;
  /**
   * Set by Tree_buildTree: opens the branch of an item, given by its index or by a link (matched
   * as the current page is), and scrolls its row into view; with `focus` true the focus moves
   * there. Never follows the link. False when no item matches.
   */
  reveal?(target: number | string, focus?: boolean): boolean;
  /**
   * Set by Tree_buildTree: "you are here" moves to the item whose link matches `href` (its branch
   * opens, it is selected and marked aria-current; the focus stays). Returns its index or -1;
   * without `href`, the index of the current item.
   */
  current?(href?: string): number;
  /**
   * From sylvanode-filter.js: hides the items whose title (and hint, when hints are shown) does not
   * contain `query`, opens the folders on the way to the matches and marks them; "" restores the
   * menu as it was. Returns the number of matches.
   */
  filter?(query: string): number;
  /**
   * Set by Tree_buildTree: opens every folder (or, with false, closes them all); fulfilled once
   * every open item has its row.
   */
  expandAll?(open?: boolean): Promise<void>;
  /**
   * Set by Tree_buildTree: removes the menu (a menu made from a list puts the list back), its
   * listeners, timers and the style sheets no other menu uses. Building again is allowed.
   */
  destroy?(): void;
}

/**
 * Builds the menu: in the element whose `data-sylvanode` is "tree" plus the menu's suffix,
 * else right after the script element that calls it, else at the end of the body.
 */
export declare function Tree_buildTree(nodes: NodeArray, tree: Tree_treeView): void;

/** Reads the list inside the element whose `data-sylvanode` is `name` into a node array. */
export declare function Tree_readList(name: string): ListNodeArray;

declare global {
  interface Window {
    Tree_treeView: typeof Tree_treeView;
    Tree_buildTree: typeof Tree_buildTree;
    Tree_readList: typeof Tree_readList;
  }
  interface HTMLElementEventMap {
    'sylvanode-status': CustomEvent<TreeStatusDetail>;
    'sylvanode-select': CustomEvent<TreeSelectDetail>;
    'sylvanode-toggle': CustomEvent<TreeToggleDetail>;
    'sylvanode-filter': CustomEvent<TreeFilterDetail>;
  }
  interface DocumentEventMap {
    'sylvanode-status': CustomEvent<TreeStatusDetail>;
    'sylvanode-select': CustomEvent<TreeSelectDetail>;
    'sylvanode-toggle': CustomEvent<TreeToggleDetail>;
    'sylvanode-filter': CustomEvent<TreeFilterDetail>;
  }
}
